#include <windows.h>

#include <string>
#include <string_view>

#include "transport/ComPortNames.h"

namespace vistrel {

std::string ComPortName(int index) {
  if (index < 0 || static_cast<uint32_t>(index) > kMaxComPortIndex)
    return {};
  return "COM" + std::to_string(index + 1);
}

// Every name goes through the device namespace ("\\.\COM12"): COM names above 9 open only
// that way, and a name of another form is opened there as it is given.
std::string ComPortDevice(const std::string&, const std::string& name) {
  constexpr const char* kDevicePrefix = "\\\\.\\";
  if (name.empty() || name.find_first_of("\\/") != std::string::npos)
    return name;
  return kDevicePrefix + name;
}

bool ComDevicePresent(const std::string& device) {
  constexpr std::string_view kDevicePrefix = "\\\\.\\";
  const std::string name =
      device.starts_with(kDevicePrefix) ? device.substr(kDevicePrefix.size()) : device;
  char target[MAX_PATH] = {};
  return QueryDosDeviceA(name.c_str(), target, MAX_PATH) != 0;
}

}  // namespace vistrel
