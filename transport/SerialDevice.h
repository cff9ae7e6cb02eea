#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vistrel {

// What a path given as a COM port names, checked before anything is sent to it.
struct DeviceCheck {
  int error = 0;        // errno of a failed stat; the device then cannot be opened at all
  std::string problem;  // why the path is no serial device; empty when it may be one
  dev_t rdev = 0;       // the device number, to hold the opened descriptor against
};

// Checks `device` without opening it: it must be a character device, and where the system
// classifies it (/sys/dev/char), one of the terminal kind. A regular file (including the
// size 0 files of /proc and /sys), a folder, a pipe, or a device such as /dev/null or a
// watchdog is refused before an open could start anything.
DeviceCheck CheckSerialDevice(const std::string& device);

// Checks the descriptor opened for `device` against the check made before the open: the same
// character device, and a terminal. Empty when it is; else the reason, for the operator.
std::string CheckOpenedSerialDevice(int fd, const std::string& device, dev_t rdev);

struct PortHolder {
  pid_t pid = 0;
  std::string program;  // from /proc/<pid>/comm; empty when unreadable
};

// The name of the program running as `pid`; empty when it cannot be read.
std::string ProgramName(pid_t pid);

// The other processes that hold `device` open, as far as /proc lets this user see.
std::vector<PortHolder> ProcessesHolding(const std::string& device);

// "/dev/ttyUSB0 is in use by picocom (pid 4242), which has it open" and what to do, for the
// other processes holding `device` (at least one): the reason a COM port is not opened.
std::string PortInUseText(const std::string& device, const std::vector<PortHolder>& holders);

// "/dev/ttyUSB0 is open in picocom (pid 4242)" for the other processes holding `device`, or
// empty when none is seen. For the front ends to add when the camera does not answer: a
// terminal program that keeps the port open without a lock takes the camera's replies.
std::string PortHoldersText(const std::string& device);

}  // namespace vistrel
