#include "cli/NumberArgument.h"

#include <charconv>

#include "core/Conversions.h"

namespace vistrel {

std::optional<int32_t> ParseNumberArgument(std::string_view text) {
  // One rule for what a person types, what a file holds and what the camera sends.
  return StrictNumber(text);
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
