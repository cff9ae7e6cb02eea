#include "transport/SerialDiscovery.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>
#include <system_error>

namespace vistrel {

namespace fs = std::filesystem;

namespace {

struct DeviceKind {
  std::string_view prefix;
  bool needsUart;  // a ttyS node exists for every possible port; only some have hardware
};

constexpr std::array<DeviceKind, 3> kDeviceKinds = {{
    {"ttyUSB", false},
    {"ttyACM", false},
    {"ttyS", true},
}};

constexpr std::string_view kByIdFolder = "serial/by-id";
constexpr std::string_view kUsbPrefix = "usb-";
constexpr std::string_view kInterfaceMark = "-if";
constexpr std::string_view kUartTypeUnknown = "0";

// The number after `prefix` in a device name; -1 when the name is not prefix + digits.
int DeviceNumber(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || !name.starts_with(prefix))
    return -1;
  int number = -1;
  const char* last = name.data() + name.size();
  auto [end, ec] = std::from_chars(name.data() + prefix.size(), last, number);
  return ec == std::errc() && end == last ? number : -1;
}

// A ttyS port has a UART when the serial core reports a port type other than unknown.
bool HasUart(const DeviceTree& tree, const std::string& name) {
  std::ifstream type(fs::path(tree.sys) / "class/tty" / name / "type");
  std::string value;
  return type >> value && value != kUartTypeUnknown;
}

// Where a link leads, made absolute against the link's folder; empty when it is no link.
fs::path LinkTarget(const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::read_symlink(link, error);
  if (error)
    return {};
  return (target.is_absolute() ? target : link.parent_path() / target).lexically_normal();
}

std::vector<SerialPortInfo> ByIdPorts(const DeviceTree& tree) {
  std::vector<SerialPortInfo> ports;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(fs::path(tree.dev) / kByIdFolder, error)) {
    const fs::path target = LinkTarget(entry.path());
    std::error_code missing;
    if (target.empty() || !fs::exists(target, missing))
      continue;
    const std::string name = entry.path().filename().string();
    ports.push_back({entry.path().string(), target.string(), AdapterFromById(name), true});
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.path < b.path; });
  return ports;
}

std::vector<SerialPortInfo> DevicePorts(const DeviceTree& tree,
                                        const std::set<std::string>& taken) {
  struct Found {
    size_t kind;
    int number;
    std::string path;
  };
  std::vector<Found> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(tree.dev, error)) {
    const std::string name = entry.path().filename().string();
    for (size_t k = 0; k < kDeviceKinds.size(); ++k) {
      const int number = DeviceNumber(name, kDeviceKinds[k].prefix);
      if (number < 0 || taken.count(entry.path().string()) > 0)
        continue;
      if (kDeviceKinds[k].needsUart && !HasUart(tree, name))
        continue;
      found.push_back({k, number, entry.path().string()});
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
  });
  std::vector<SerialPortInfo> ports;
  for (const Found& f : found)
    ports.push_back({f.path, f.path, {}, false});
  return ports;
}

}  // namespace

std::string AdapterFromById(const std::string& name) {
  if (!name.starts_with(kUsbPrefix))
    return {};
  std::string adapter = name.substr(kUsbPrefix.size());
  if (const size_t mark = adapter.rfind(kInterfaceMark); mark != std::string::npos)
    adapter.erase(mark);
  std::replace(adapter.begin(), adapter.end(), '_', ' ');
  return adapter;
}

std::vector<SerialPortInfo> DiscoverSerialPorts(const DeviceTree& tree) {
  std::vector<SerialPortInfo> ports = ByIdPorts(tree);
  std::set<std::string> taken;
  for (const SerialPortInfo& port : ports)
    taken.insert(port.device);
  for (SerialPortInfo& port : DevicePorts(tree, taken))
    ports.push_back(std::move(port));
  return ports;
}

}  // namespace vistrel
