// The reply parser and the text conversions on arbitrary reply lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

  vistrel::ReplyFields fields;
  const bool parsed = vistrel::ParseReply(line, fields);
  Check(parsed == (fields.failed == 0), "the result and the failed flag agree");
  Check(fields.raw.size() <= line.size(), "the raw line is never longer than the line");
  if (fields.valueCount != 2)
    Check(fields.index == 0, "an index only comes with two values");
  if (parsed)
    CheckIntegerRoundTrip(fields);

  int32_t a = 0;
  int32_t b = 0;
  (void)vistrel::Command::ParsePair(line, a, b);
  return 0;
}
