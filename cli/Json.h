#pragma once

#include <string>
#include <string_view>

namespace vistrel {

// `text` as a JSON string literal, quotes included: UTF-8 characters as they are, C0 and C1
// controls as \u escapes, bytes that are no UTF-8 as the text \x9b.
std::string JsonString(std::string_view text);

// Whether `text` is a JSON number as written (optional minus, digits, optional fraction).
bool IsJsonNumber(std::string_view text);

// Builds one JSON object or array by appending members; keys keep their order.
class JsonWriter {
 public:
  JsonWriter& BeginObject(std::string_view key = {});
  JsonWriter& EndObject();
  JsonWriter& BeginArray(std::string_view key = {});
  JsonWriter& EndArray();
  JsonWriter& Value(std::string_view key, std::string_view text);
  JsonWriter& Value(std::string_view key, const char* text) {
    return Value(key, std::string_view(text));
  }
  JsonWriter& Value(std::string_view key, long long number);
  JsonWriter& Value(std::string_view key, int number) {
    return Value(key, static_cast<long long>(number));
  }
  JsonWriter& Value(std::string_view key, bool flag);
  // A value read as text: a number when it is one (see IsJsonNumber), else a string.
  JsonWriter& NumberOrText(std::string_view key, std::string_view text);
  JsonWriter& Null(std::string_view key);
  const std::string& Text() const { return text_; }

 private:
  // The separator and the key of the next member ("" inside an array).
  void Member(std::string_view key);

  std::string text_;
  bool first_ = true;
};

}  // namespace vistrel
