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

// The system's list of DOS devices answers for the ports of the machine. A COM name linked in
// a wine prefix's dosdevices folder is missing from that list but opens: a handle without
// access rights tells without touching the line, and a port another program holds answers
// "access denied".
bool ComDevicePresent(const std::string& device) {
  constexpr std::string_view kDevicePrefix = "\\\\.\\";
  const std::string name =
      device.starts_with(kDevicePrefix) ? device.substr(kDevicePrefix.size()) : device;
  char target[MAX_PATH] = {};
  if (QueryDosDeviceA(name.c_str(), target, MAX_PATH) != 0)
    return true;
  HANDLE handle = CreateFileA(device.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return true;
  }
  const DWORD error = GetLastError();
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

}  // namespace vistrel
