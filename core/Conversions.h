#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vistrel {

// Leading white space, one optional sign, decimal digits up to the first other character;
// no digits give 0. Values beyond 32 bits wrap as the C library's conversion does not:
// they saturate at the 32-bit limits.
int32_t DecimalToInt(std::string_view text);
// As DecimalToInt, but "0x"/"0X" introduces hexadecimal digits and a leading 0 octal ones.
int32_t AutoBaseToInt(std::string_view text);
// The longest leading part that forms a decimal floating-point number; none gives 0.
double TextToReal(std::string_view text);
// The text with its ASCII letters upper-cased.
std::string UpperAscii(std::string text);

}  // namespace vistrel
