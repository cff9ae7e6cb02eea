#pragma once

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small text helpers of the simulated camera's line protocol.

namespace vistrel {

inline std::string_view SimTrim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

inline std::string SimUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// A whole integer: optional blanks, one sign, decimal digits or "&H" and hexadecimal digits.
// Nothing else may follow. Values beyond 32 bits are returned as they are so that the caller
// can refuse them as out of range.
inline std::optional<int64_t> SimParseInt(std::string_view text) {
  text = SimTrim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 12)
    return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
      digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    if (digit < 0)
      return std::nullopt;
    value = value * base + digit;
  }
  return negative ? -value : value;
}

// "a,b" as two whole integers.
inline bool SimParsePair(std::string_view text, int64_t& a, int64_t& b) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos)
    return false;
  const auto first = SimParseInt(text.substr(0, comma));
  const auto second = SimParseInt(text.substr(comma + 1));
  if (!first || !second)
    return false;
  a = *first;
  b = *second;
  return true;
}

// Splits "SQW5" into the letters "SQW" and the number 5; false when the name does not end
// in digits after at least one letter.
inline bool SimSplitNumbered(std::string_view name, std::string_view& stem, int64_t& number) {
  size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
    --digits;
  if (digits == 0 || digits == name.size() || name.size() - digits > 6)
    return false;
  stem = name.substr(0, digits);
  number = 0;
  for (char c : name.substr(digits))
    number = number * 10 + (c - '0');
  return true;
}

}  // namespace vistrel
