#include "core/ReplyFields.h"

#include <cmath>

#include "core/CommandTable.h"
#include "core/Conversions.h"

namespace vistrel {
namespace {

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

void ConvertValue(const CommandEntry& entry, ReplyFields& f) {
  f.value.kind = entry.kind;
  switch (entry.kind) {
    case ValueKind::Integer:
      f.value.intValue =
          f.value1.starts_with("&H") ? HexAfterPrefix(f.value1) : DecimalToInt(f.value1);
      break;
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

  f.commandId = CommandTable::FindByName(f.name);
  if (f.commandId < 0) {
    f.failed = 1;
    return false;
  }
  const CommandEntry& entry = CommandTable::Entry(f.commandId);
  f.decimals = entry.decimals;
  ConvertValue(entry, f);
  f.valueAsSent = TextAfterSeparator(line);
  f.failed = 0;
  return true;
}

}  // namespace vistrel
