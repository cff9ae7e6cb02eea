#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

// A number as the camera takes it: decimal with an optional sign, or hexadecimal after
// `&H` or `0x` (either case, at most 32 bits, read as the camera does: &HFFFFFFFF is -1),
// blanks around it allowed. nullopt for anything else, and for a decimal outside the 32-bit
// signed range.
std::optional<int32_t> ParseNumberArgument(std::string_view text);

// A decimal without sign, for counts and indices; nullopt when it is none or over 64 bits.
std::optional<uint64_t> ParseUnsignedArgument(std::string_view text);

// A NAME=VALUE argument split at its first '='; nullopt when it has none.
struct Assignment {
  std::string name;
  std::string value;
};
std::optional<Assignment> SplitAssignment(std::string_view text);

}  // namespace vistrel
