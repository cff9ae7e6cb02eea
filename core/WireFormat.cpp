#include "core/WireFormat.h"

#include <string>

namespace vistrel {

std::string FormatNumberedSetting(std::string_view name, int number, int32_t value) {
  return std::string(name) + std::to_string(number) + "=" + std::to_string(value) + kLineEnd;
}

std::string FormatNumberedQuery(std::string_view name, int number) {
  return std::string(name) + std::to_string(number) + "?" + kLineEnd;
}

std::string FormatQueryWithArg(std::string_view name, std::string_view argument) {
  return std::string(name) + "?" + std::string(argument) + kLineEnd;
}

std::string FormatSetting(std::string_view name, int32_t value) {
  return std::string(name) + "=" + std::to_string(value) + kLineEnd;
}

std::string FormatPairText(int32_t a, int32_t b) {
  return std::to_string(a) + "," + std::to_string(b);
}

}  // namespace vistrel
