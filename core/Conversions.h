#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

// Leading white space, one optional sign, decimal digits up to the first other character;
// no digits give 0. Values beyond 32 bits wrap as the C library's conversion does not:
// they saturate at the 32-bit limits.
int32_t DecimalToInt(std::string_view text);
// As DecimalToInt, but "0x"/"0X" introduces hexadecimal digits and a leading 0 octal ones.
int32_t AutoBaseToInt(std::string_view text);
// A whole number in the forms a person writes one, and the only forms a value from the camera
// or a setting file is taken in: blanks around it, then decimal digits with one optional
// sign, or `&H` or `0x` (either case) and at most 8 hexadecimal digits, read as 32 bits
// (&HFFFFFFFF is -1). nullopt for anything else, for an empty text and for a decimal outside
// the 32-bit signed range: such a text is no number, not a number cut short.
std::optional<int32_t> StrictNumber(std::string_view text);
// The longest leading part that forms a decimal floating-point number; none gives 0.
double TextToReal(std::string_view text);
// The text with its ASCII letters upper-cased.
std::string UpperAscii(std::string text);

}  // namespace vistrel
