#include "transport/SerialDiscovery.h"

namespace vistrel {

// Every serial port of Windows has a COM name, USB adapters included: the COM port list
// holds them all, and there are no further devices to list.
std::vector<SerialPortInfo> DiscoverSerialPorts(const DeviceTree&) {
  return {};
}

// Windows has no by-id names.
std::string AdapterFromById(const std::string&) {
  return {};
}

}  // namespace vistrel
