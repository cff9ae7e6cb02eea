#pragma once

#include <string>

namespace vistrel {

// The selectable COM ports: "COM1" to "COM32".
inline constexpr int kComPortCount = 32;

// "COM" followed by index + 1.
std::string ComPortName(int index);

// The device a COM port name stands for: the target of the link "ports/COMn" in the
// settings folder when there is one, else /dev/ttyS<n-1>. A name that is not of the form
// COMn (n from 1) is taken as a device path as it is.
std::string ComPortDevice(const std::string& settingsFolder, const std::string& name);

}  // namespace vistrel
