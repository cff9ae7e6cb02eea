// The reply parser and the text conversions on arbitrary reply lines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Command.h"
#include "core/Conversions.h"
#include "core/ReplyFields.h"
#include "fuzz/FuzzCheck.h"

namespace {

using vistrel::fuzz::Check;

void CheckConversions(std::string_view text) {
  const int32_t decimal = vistrel::DecimalToInt(text);
  Check(vistrel::DecimalToInt(std::to_string(decimal)) == decimal,
        "a decimal value reads back from its own text");
  const int32_t automatic = vistrel::AutoBaseToInt(text);
  Check(vistrel::AutoBaseToInt(std::to_string(automatic)) == automatic,
        "an automatic-base value reads back from its decimal text");
  (void)vistrel::TextToReal(text);

  const std::string upper = vistrel::UpperAscii(std::string(text));
  Check(upper.size() == text.size(), "upper-casing keeps the length");
  for (size_t i = 0; i < upper.size(); ++i) {
    const char c = text[i];
    const bool lower = c >= 'a' && c <= 'z';
    Check(lower ? upper[i] == c - 'a' + 'A' : upper[i] == c, "only ASCII letters change");
  }
}

bool IsHexForm(std::string_view text) {
  return text.size() > 2 && (text.starts_with("&H") || text.starts_with("&h") ||
                             text.starts_with("0x") || text.starts_with("0X"));
}

// A clean number's text in one spelling: no blanks, no plus, no leading zeros, no minus on
// zero, hexadecimal digits in upper case after "&H".
std::string Canonical(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const bool hex = IsHexForm(text);
  std::string sign;
  if (hex) {
    text.remove_prefix(2);
  } else if (text.starts_with('+') || text.starts_with('-')) {
    sign = text[0] == '-' ? "-" : "";
    text.remove_prefix(1);
  }
  const size_t digit = text.find_first_not_of('0');
  const std::string digits =
      digit == std::string_view::npos ? "0" : std::string(text.substr(digit));
  if (hex)
    return "&H" + vistrel::UpperAscii(digits);
  return (digits == "0" ? "" : sign) + digits;
}

std::string Format(int32_t value, bool hex) {
  if (!hex)
    return std::to_string(value);
  char text[16];
  std::snprintf(text, sizeof text, "&H%X", static_cast<unsigned>(value));
  return text;
}

// Every number taken is what was written: it formats back to the received text (in the one
// spelling of its form), and that text reads back as the same number.
void CheckStrictRoundTrip(std::string_view text, int32_t value) {
  const size_t first = text.find_first_not_of(" \t");
  const bool hex = first != std::string_view::npos && IsHexForm(text.substr(first));
  Check(Canonical(text) == Format(value, hex), "an accepted number formats back to its text");
  Check(vistrel::StrictNumber(Format(value, hex)) == value, "a formatted number reads back");
}

// Each value of a reply taken as numbers formats back to the text received.
void CheckReplyValues(const vistrel::ReplyFields& fields) {
  const std::vector<int32_t> numbers = vistrel::CleanNumbers(fields.valueAsSent);
  if (fields.value.kind == vistrel::ValueKind::Integer && fields.separator == "=")
    Check((numbers.empty() || (numbers.size() == 2 && !vistrel::CarriesPair(fields.commandId))) ==
              fields.garbled,
          "a value is garbled exactly when it is no number, or two for a one-value command");
  if (numbers.empty())
    return;
  const std::string_view sent = fields.valueAsSent;
  const size_t comma = sent.find(',');
  CheckStrictRoundTrip(sent.substr(0, comma), numbers[0]);
  if (numbers.size() == 2)
    CheckStrictRoundTrip(sent.substr(comma + 1), numbers[1]);
  if (!fields.garbled && fields.value.kind == vistrel::ValueKind::Integer)
    Check(fields.value.intValue == numbers[0], "a clean value is the number received");
}

// A parsed integer reply, sent back as a setting, parses to the same command and value.
void CheckIntegerRoundTrip(const vistrel::ReplyFields& fields) {
  if (fields.value.kind != vistrel::ValueKind::Integer)
    return;
  const std::string setting = vistrel::Command::BuildSetting(fields.commandId, fields.value);
  vistrel::ReplyFields again;
  Check(vistrel::ParseReply(setting, again), "a built setting parses");
  Check(again.commandId == fields.commandId, "a built setting names the same command");
  Check(again.value.intValue == fields.value.intValue, "a built setting carries the same value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  CheckConversions(line);
  if (const std::optional<int32_t> strict = vistrel::StrictNumber(line))
    CheckStrictRoundTrip(line, *strict);

  vistrel::ReplyFields fields;
  const bool parsed = vistrel::ParseReply(line, fields);
  Check(parsed == (fields.failed == 0), "the result and the failed flag agree");
  Check(fields.raw.size() <= line.size(), "the raw line is never longer than the line");
  if (fields.valueCount != 2)
    Check(fields.index == 0, "an index only comes with two values");
  if (parsed) {
    CheckIntegerRoundTrip(fields);
    CheckReplyValues(fields);
  }

  int32_t a = 0;
  int32_t b = 0;
  (void)vistrel::Command::ParsePair(line, a, b);
  return 0;
}
