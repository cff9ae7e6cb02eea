#pragma once

#include <string>
#include <vector>

#include "transport/SerialDiscovery.h"

namespace vistrel {

// What the COM port list shows for a chosen device that is not connected now.
inline constexpr const char* kNotConnected = "not connected";

// The devices the COM port list holds after the 32 COM names: the serial devices found in
// `tree` that no COM name reaches (a COMn opens its link in `settingsFolder`/ports or
// /dev/ttyS<n-1>), then `chosen` when it is not among them (an entry without a device: not
// connected now).
std::vector<SerialPortInfo> ListedSerialDevices(const std::string& settingsFolder,
                                                const DeviceTree& tree, const std::string& chosen);

// Which of the 32 COM names reach a device that is there: a serial port the tree holds (a
// ttyS port only with a UART behind it), or another character device (a pseudo-terminal a
// link in `settingsFolder`/ports leads to).
std::vector<bool> PresentComNames(const std::string& settingsFolder, const DeviceTree& tree);

// The list text of a device: its adapter's name and device, for example
// "FTDI FT232R USB UART A1 (ttyUSB0)"; the device alone without an adapter name; the
// adapter or link name and "(not connected)" without a device.
std::string SerialPortLabel(const SerialPortInfo& port);

}  // namespace vistrel
