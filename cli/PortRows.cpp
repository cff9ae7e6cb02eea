#include "cli/PortRows.h"

#include <array>
#include <filesystem>
#include <set>
#include <system_error>

#include "transport/ComPortNames.h"
#include "transport/NetworkUrl.h"
#include "transport/SerialPortList.h"

namespace vistrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByIdFolder = "/serial/by-id/";
constexpr std::string_view kUartPrefix = "ttyS";

struct ClKind {
  CommunicationMode mode;
  const char* kind;
};

constexpr std::array<ClKind, 3> kClKinds = {{
    {CommunicationMode::CameraLink2000, "cl2000"},
    {CommunicationMode::CameraLink2001, "cl2001"},
    {CommunicationMode::CameraLinkVer11, "clver11"},
}};

std::string Canonical(const std::string& path) {
  if (path.starts_with("\\\\.\\"))
    return path;  // a Windows device name ("\\.\COM3") is no file path
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

bool IsById(const std::string& path) {
  return path.find(kByIdFolder) != std::string::npos;
}

// A COM name: the device it opens, whether that is there, and the by-id name it goes through.
PortRow ComRow(const CCommunication& channel, const std::string& settingsFolder, int index,
               const std::set<std::string>& found) {
  PortRow row;
  row.kind = "com";
  row.index = index;
  row.name = ComPortName(index);
  const std::string device = ComPortDevice(settingsFolder, row.name);
  const std::string node = Canonical(device);
  if (IsById(device)) {
    row.byId = device;
    row.adapter = AdapterFromById(fs::path(device).filename().string());
  }
  row.device = node;
  const bool uartNode = fs::path(node).filename().string().starts_with(kUartPrefix);
  row.exists = ComDevicePresent(node) && (!uartNode || found.count(node) > 0);
  row.chosen = channel.GetMode() == 0 && channel.GetComDevice().empty() &&
               channel.GetPortIndex(0) == uint32_t(index);
  return row;
}

PortRow DeviceRow(const CCommunication& channel, const SerialPortInfo& port) {
  PortRow row;
  row.kind = "device";
  row.name = port.path;
  row.device = port.device.empty() ? std::string() : Canonical(port.device);
  row.exists = !port.device.empty();
  row.byId = port.stable ? port.path : std::string();
  row.adapter = port.adapter;
  row.chosen = channel.GetMode() == 0 && channel.GetComDevice() == port.path;
  return row;
}

void AddClRows(CCommunication& channel, std::vector<PortRow>& rows) {
  const uint32_t mode = channel.GetMode();
  for (const ClKind& cl : kClKinds) {
    const uint32_t clMode = static_cast<uint32_t>(cl.mode);
    channel.SetMode(clMode);
    const int count = channel.GetPortCount();
    for (int i = 0; i < count; ++i) {
      PortRow row;
      row.kind = cl.kind;
      row.index = i;
      row.name = channel.GetPortName(i);
      row.exists = true;
      row.chosen = mode == clMode && channel.GetPortIndex(clMode) == uint32_t(i);
      rows.push_back(std::move(row));
    }
  }
  channel.SetMode(mode);
}

}  // namespace

std::vector<PortRow> CollectPortRows(CCommunication& channel, const std::string& settingsFolder,
                                     const DeviceTree& tree, bool all) {
  std::set<std::string> found;
  for (const SerialPortInfo& port : DiscoverSerialPorts(tree))
    found.insert(Canonical(port.device));
  std::vector<PortRow> rows;
  for (int index = 0; index < kComPortCount; ++index) {
    PortRow row = ComRow(channel, settingsFolder, index, found);
    if (all || row.exists || row.chosen)
      rows.push_back(std::move(row));
  }
  const std::string& chosen = channel.GetComDevice();
  const bool network = IsNetworkUrl(chosen);
  for (const SerialPortInfo& port :
       ListedSerialDevices(settingsFolder, tree, network ? std::string() : chosen)) {
    rows.push_back(DeviceRow(channel, port));
  }
  if (network) {
    PortRow row;
    row.kind = kNetworkKind;
    row.name = chosen;
    row.chosen = channel.GetMode() == 0;
    rows.push_back(std::move(row));
  }
  AddClRows(channel, rows);
  return rows;
}

}  // namespace vistrel
