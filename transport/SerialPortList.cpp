#include "transport/SerialPortList.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "transport/ComPortNames.h"

namespace vistrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSystemDevices = "/dev/";

std::string Canonical(const std::string& path) {
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

// The devices the COM names reach, in the tree given as well as in the system's.
std::set<std::string> ComNameDevices(const std::string& settingsFolder, const DeviceTree& tree) {
  std::set<std::string> devices;
  for (int index = 0; index < kComPortCount; ++index) {
    const std::string device = ComPortDevice(settingsFolder, ComPortName(index));
    devices.insert(Canonical(device));
    if (device.starts_with(kSystemDevices))
      devices.insert(Canonical(tree.dev + "/" + device.substr(kSystemDevices.size())));
  }
  return devices;
}

}  // namespace

std::vector<SerialPortInfo> ListedSerialDevices(const std::string& settingsFolder,
                                                const DeviceTree& tree, const std::string& chosen) {
  const std::set<std::string> reached = ComNameDevices(settingsFolder, tree);
  std::vector<SerialPortInfo> listed;
  for (SerialPortInfo& port : DiscoverSerialPorts(tree)) {
    if (reached.count(Canonical(port.device)) == 0)
      listed.push_back(std::move(port));
  }
  const bool present = std::any_of(listed.begin(), listed.end(),
                                   [&](const SerialPortInfo& port) { return port.path == chosen; });
  if (!chosen.empty() && !present) {
    const std::string name = fs::path(chosen).filename().string();
    listed.push_back({chosen, {}, AdapterFromById(name), true});
  }
  return listed;
}

std::vector<bool> PresentComNames(const std::string& settingsFolder, const DeviceTree& tree) {
  std::set<std::string> found;
  for (const SerialPortInfo& port : DiscoverSerialPorts(tree))
    found.insert(Canonical(port.device));
  std::vector<bool> present;
  for (int index = 0; index < kComPortCount; ++index) {
    const std::string device = ComPortDevice(settingsFolder, ComPortName(index));
    const std::string inTree = device.starts_with(kSystemDevices)
                                   ? tree.dev + "/" + device.substr(kSystemDevices.size())
                                   : device;
    std::error_code error;
    const bool uartPort = fs::path(device).filename().string().starts_with("ttyS");
    present.push_back(found.contains(Canonical(device)) || found.contains(Canonical(inTree)) ||
                      (!uartPort && fs::is_character_file(device, error)));
  }
  return present;
}

std::string SerialPortLabel(const SerialPortInfo& port) {
  if (port.device.empty()) {
    const std::string name =
        port.adapter.empty() ? fs::path(port.path).filename().string() : port.adapter;
    return name + " (" + kNotConnected + ")";
  }
  const std::string device = fs::path(port.device).filename().string();
  return port.adapter.empty() ? device : port.adapter + " (" + device + ")";
}

}  // namespace vistrel
