#include "cli/NumberArgument.h"

#include <charconv>
#include <limits>

namespace vistrel {
namespace {

constexpr size_t kMostHexDigits = 8;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
    if (c != prefix[i])
      return false;
  }
  return true;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > kMostHexDigits)
    return std::nullopt;
  uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

std::optional<int32_t> ParseNumberArgument(std::string_view text) {
  if (StartsWithNoCase(text, "&H") || StartsWithNoCase(text, "0X"))
    return ParseHex(text.substr(2));
  if (text.starts_with('+'))
    text.remove_prefix(1);
  if (text.empty() || text[0] == '+')
    return std::nullopt;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<uint64_t> ParseUnsignedArgument(std::string_view text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::optional<Assignment> SplitAssignment(std::string_view text) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return std::nullopt;
  return Assignment{std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

}  // namespace vistrel
