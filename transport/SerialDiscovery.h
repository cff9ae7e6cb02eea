#pragma once

#include <string>
#include <vector>

namespace vistrel {

// Where the serial devices are looked for: the device folder (with udev's serial/by-id
// links) and the kernel's sysfs. Tests pass a fake tree.
struct DeviceTree {
  std::string dev = "/dev";
  std::string sys = "/sys";
};

// A serial device that exists.
struct SerialPortInfo {
  std::string path;     // what to open: udev's by-id link where there is one, else the device
  std::string device;   // the device node it leads to now, for example /dev/ttyUSB0
  std::string adapter;  // the adapter's name where known (from the by-id name)
  bool stable = false;  // `path` stays the same when the adapter is plugged in elsewhere
};

// The serial devices of the tree: every by-id link that leads to an existing device, then
// the USB (ttyUSB*) and ACM (ttyACM*) devices without one, then the ttyS* ports that have
// a UART, in name and number order.
std::vector<SerialPortInfo> DiscoverSerialPorts(const DeviceTree& tree = {});

// The adapter name udev encodes in a by-id name, for example "FTDI FT232R USB UART A1B2"
// for "usb-FTDI_FT232R_USB_UART_A1B2-if00-port0"; empty when the name has no such form.
std::string AdapterFromById(const std::string& name);

}  // namespace vistrel
