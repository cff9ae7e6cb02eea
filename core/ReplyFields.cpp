#include "core/ReplyFields.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"

namespace vistrel {
namespace {

// The table commands whose lines are "index,value".
constexpr int kPairCommands[] = {
    cmd::LUTR,   cmd::LUTG,   cmd::LUTB,   cmd::BMPXW,  cmd::BMPYW,  cmd::BMPXWG,
    cmd::BMPYWG, cmd::BMPXWB, cmd::BMPYWB, cmd::BMPXWR, cmd::BMPYWR,
};

std::string StripBlanksAndLineEnds(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (char c : line) {
    if (c != ' ' && c != '\r' && c != '\n')
      out.push_back(c);
  }
  return out;
}

// "&H" followed by hexadecimal digits; the digits wrap at 32 bits like an unsigned read.
int32_t HexAfterPrefix(std::string_view text) {
  uint32_t value = 0;
  for (size_t i = 2; i < text.size(); ++i) {
    const char c = text[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    value = value * 16 + digit;
  }
  return static_cast<int32_t>(value);
}

// Whether `text` (blanks around it allowed) is a whole decimal number with an optional sign,
// fraction and exponent.
bool IsCleanReal(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.starts_with('+') || text.starts_with('-'))
    text.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.') &&
         error == std::errc() && end == text.data() + text.size();
}

// Whether every value of the line, as sent, is a clean value of `kind`.
bool CleanValues(ValueKind kind, const ReplyFields& f) {
  if (kind != ValueKind::Text && f.valueCount == 2 && !CarriesPair(f.commandId))
    return false;  // PE=12,3 is no value of a control that holds one number
  if (kind == ValueKind::Integer) {
    // A line that carries one value ("?" form) has no second number after a comma.
    const std::vector<int32_t> numbers = CleanNumbers(f.valueAsSent);
    return !numbers.empty() && (f.valueCount != 1 || numbers.size() == 1);
  }
  if (kind == ValueKind::Text)
    return true;
  const size_t comma = f.valueAsSent.find(',');
  return IsCleanReal(std::string_view(f.valueAsSent).substr(0, comma)) &&
         (comma == std::string::npos || IsCleanReal(f.valueAsSent.substr(comma + 1)));
}

void ConvertValue(const CommandEntry& entry, ReplyFields& f) {
  f.value.kind = entry.kind;
  f.garbled = !CleanValues(entry.kind, f);
  switch (entry.kind) {
    case ValueKind::Integer: {
      const std::optional<int32_t> strict = StrictNumber(f.value1);
      if (strict)
        f.value.intValue = *strict;
      else
        f.value.intValue =
            f.value1.starts_with("&H") ? HexAfterPrefix(f.value1) : DecimalToInt(f.value1);
      break;
    }
    case ValueKind::Real: {
      f.value.realValue = TextToReal(f.value1);
      const double scaled = std::trunc(f.value.realValue * std::pow(10.0, entry.decimals));
      f.value.intValue = std::isfinite(scaled) && std::fabs(scaled) < 2147483648.0
                             ? static_cast<int32_t>(scaled)
                             : 0;
      break;
    }
    case ValueKind::Text:
      f.value.text = f.value1;
      break;
  }
}

std::string TextAfterSeparator(std::string_view line) {
  size_t sep = line.find('=');
  if (sep == std::string_view::npos)
    sep = line.find('?');
  if (sep == std::string_view::npos)
    return {};
  std::string_view rest = line.substr(sep + 1);
  const size_t first = rest.find_first_not_of(" \r\n");
  if (first == std::string_view::npos)
    return {};
  const size_t last = rest.find_last_not_of(" \r\n");
  return std::string(rest.substr(first, last - first + 1));
}

}  // namespace

bool CarriesPair(int commandId) {
  for (const int id : kPairCommands) {
    if (id == commandId)
      return true;
  }
  return false;
}

std::vector<int32_t> CleanNumbers(std::string_view text) {
  const size_t comma = text.find(',');
  const std::optional<int32_t> first = StrictNumber(text.substr(0, comma));
  if (!first)
    return {};
  if (comma == std::string_view::npos)
    return {*first};
  const std::optional<int32_t> second = StrictNumber(text.substr(comma + 1));
  if (!second)
    return {};
  return {*first, *second};
}

bool ParseReply(std::string_view line, ReplyFields& f) {
  f = ReplyFields{};
  f.raw = StripBlanksAndLineEnds(line);
  const std::string upper = UpperAscii(f.raw);

  size_t sep = upper.find('=');
  if (sep == std::string::npos)
    sep = upper.find('?');
  if (sep == std::string::npos) {
    f.failed = 1;
    return false;
  }
  f.name = upper.substr(0, sep);
  f.separator = upper.substr(sep, 1);
  const std::string rest = upper.substr(sep + 1);
  const size_t comma = rest.find(',');

  if (f.separator == "?") {
    f.valueCount = rest.empty() ? 0 : 1;
    f.value1 = rest;
  } else if (comma == std::string::npos) {
    f.valueCount = 1;
    f.value1 = rest;
  } else {
    f.valueCount = 2;
    f.value1 = rest.substr(0, comma);
    f.value2 = rest.substr(comma + 1);
    f.index = DecimalToInt(f.value1);
  }

  f.valueAsSent = TextAfterSeparator(line);
  f.commandId = CommandTable::FindByName(f.name);
  if (f.commandId < 0) {
    f.failed = 1;
    return false;
  }
  const CommandEntry& entry = CommandTable::Entry(f.commandId);
  f.decimals = entry.decimals;
  ConvertValue(entry, f);
  f.failed = 0;
  return true;
}

}  // namespace vistrel
