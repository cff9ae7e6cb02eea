#include "cli/Json.h"

#include <cstdio>

namespace vistrel {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {  // bytes past ASCII read as Latin-1
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
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
