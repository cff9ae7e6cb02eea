#include "core/Conversions.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>

namespace vistrel {
namespace {

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return 99;
}

// Reads digits of `base` from `pos` on; saturates at the 32-bit limits.
int32_t ReadDigits(std::string_view text, size_t pos, int base, bool negative) {
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos]);
    if (digit >= base)
      break;
    value = value * base + digit;
    if (value > kLimit)
      value = kLimit;
  }
  if (negative)
    return static_cast<int32_t>(-value);
  return value >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(value);
}

// Skips white space and one sign; returns the position of the first digit.
size_t SkipPrefix(std::string_view text, bool& negative) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos]))
    ++pos;
  negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  return pos;
}

}  // namespace

int32_t DecimalToInt(std::string_view text) {
  bool negative = false;
  const size_t pos = SkipPrefix(text, negative);
  return ReadDigits(text, pos, 10, negative);
}

int32_t AutoBaseToInt(std::string_view text) {
  bool negative = false;
  size_t pos = SkipPrefix(text, negative);
  if (pos < text.size() && text[pos] == '0') {
    const bool hexPrefix = pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X');
    if (hexPrefix && pos + 2 < text.size() && DigitValue(text[pos + 2]) < 16) {
      return ReadDigits(text, pos + 2, 16, negative);
    }
    return ReadDigits(text, pos, 8, negative);
  }
  return ReadDigits(text, pos, 10, negative);
}

std::optional<int32_t> StrictNumber(std::string_view text) {
  constexpr size_t kMostHexDigits = 8;
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const bool hex =
      text.size() > 2 && (text[0] == '&' || text[0] == '0') &&
      (text[1] == (text[0] == '&' ? 'H' : 'X') || text[1] == (text[0] == '&' ? 'h' : 'x'));
  if (hex) {
    const std::string_view digits = text.substr(2);
    uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.size() > kMostHexDigits || error != std::errc() ||
        end != digits.data() + digits.size())
      return std::nullopt;
    return static_cast<int32_t>(value);
  }
  // from_chars takes a minus but no plus: one sign of either kind.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-'))
      return std::nullopt;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

double TextToReal(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos]))
    ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // from_chars accepts no sign and no hexadecimal or "inf"/"nan" in fixed|scientific form.
  const char* begin = text.data() + pos;
  const char* end = text.data() + text.size();
  if (begin == end || !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.')) {
    return 0.0;
  }
  double value = 0.0;
  const auto result = std::from_chars(begin, end, value, std::chars_format::general);
  if (result.ec != std::errc())
    return 0.0;
  return negative ? -value : value;
}

}  // namespace vistrel
