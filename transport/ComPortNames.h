#pragma once

#include <climits>
#include <cstdint>
#include <string>

namespace vistrel {

// The selectable COM ports: "COM1" to "COM32".
inline constexpr int kComPortCount = 32;

// The highest COM port index that makes a COM name: its number, index + 1, must still fit
// the int that port indices are passed as.
inline constexpr uint32_t kMaxComPortIndex = INT_MAX - 1;

// "COM" followed by index + 1; empty for an index that makes no COM name (negative or above
// kMaxComPortIndex).
std::string ComPortName(int index);

// The device a COM port name stands for: the target of the link "ports/COMn" in the
// settings folder when there is one, else /dev/ttyS<n-1>. A name that is not of the form
// COMn (n from 1) is taken as a device path as it is.
std::string ComPortDevice(const std::string& settingsFolder, const std::string& name);

// Whether the device a COM name opens is there: the path exists; on Windows the system
// knows a device of that name ("\\.\COM3").
bool ComDevicePresent(const std::string& device);

}  // namespace vistrel
