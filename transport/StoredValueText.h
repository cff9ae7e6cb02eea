#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Helpers the stored settings use on every platform.
namespace vistrel::stored {

// The folder the program was started in; a text value that was never stored reads as it.
std::string CurrentFolder();

// A number kept as text reads as its leading decimal digits (0 without any); nullopt when
// they do not fit 32 bits.
std::optional<uint32_t> LeadingNumber(const std::string& text);

}  // namespace vistrel::stored
