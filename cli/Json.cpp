#include "cli/Json.h"

#include <cstdio>

#include "core/TextEscape.h"

namespace vistrel {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte >= 0x20 && byte < 0x7f) {
      out += c;
    } else if (const size_t length = byte >= 0x80 ? Utf8SequenceLength(text.substr(i)) : 0) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    } else {
      // Controls as JSON escapes; a byte that is no UTF-8 as the text \x9b, as messages say it.
      const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      const bool control = byte < 0x80 || (byte == 0xc2 && next >= 0x80 && next < 0xa0);
      char escaped[8];
      if (control && byte == 0xc2) {
        std::snprintf(escaped, sizeof escaped, "\\u%04x", next);
        ++i;
      } else {
        std::snprintf(escaped, sizeof escaped, control ? "\\u%04x" : "\\\\x%02x", byte);
      }
      out += escaped;
    }
    ++i;
  }
  return out + "\"";
}

bool IsJsonNumber(std::string_view text) {
  size_t i = text.starts_with('-') ? 1 : 0;
  const size_t intStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    ++i;
  const size_t intDigits = i - intStart;
  // No leading zeros ("007" is a code, not a number), as JSON has it.
  if (intDigits == 0 || (intDigits > 1 && text[intStart] == '0'))
    return false;
  if (i < text.size() && text[i] == '.') {
    const size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      ++i;
    if (i == fraction)
      return false;
  }
  return i == text.size();
}

void JsonWriter::Member(std::string_view key) {
  if (!first_)
    text_ += ',';
  first_ = false;
  if (!key.empty())
    text_ += JsonString(key) + ':';
}

JsonWriter& JsonWriter::BeginObject(std::string_view key) {
  Member(key);
  text_ += '{';
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::BeginArray(std::string_view key) {
  Member(key);
  text_ += '[';
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::Value(std::string_view key, std::string_view text) {
  Member(key);
  text_ += JsonString(text);
  return *this;
}

JsonWriter& JsonWriter::Value(std::string_view key, long long number) {
  Member(key);
  text_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::Value(std::string_view key, bool flag) {
  Member(key);
  text_ += flag ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::NumberOrText(std::string_view key, std::string_view text) {
  if (!IsJsonNumber(text))
    return Value(key, text);
  Member(key);
  text_ += text;
  return *this;
}

JsonWriter& JsonWriter::Null(std::string_view key) {
  Member(key);
  text_ += "null";
  return *this;
}

}  // namespace vistrel
