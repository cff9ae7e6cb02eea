#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vistrel {

inline constexpr const char* kLineEnd = "\r\n";

// The command line forms that handlers build themselves.
std::string FormatNumberedSetting(std::string_view name, int number, int32_t value);  // SQW5=1024
std::string FormatNumberedQuery(std::string_view name, int number);                   // SQW5?
std::string FormatQueryWithArg(std::string_view name, std::string_view argument);     // LUTR?12
std::string FormatSetting(std::string_view name, int32_t value);                      // EB=1
std::string FormatPairText(int32_t a, int32_t b);                                     // 5,100

}  // namespace vistrel
