#include "transport/SerialDevice.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/FileKind.h"

namespace vistrel {

namespace {

std::string NotSerial(const std::string& device, const std::string& what) {
  return device + " is " + what + ", not a serial device: nothing is sent to it.\n" +
         "Choose the device the camera's adapter appears as (for example /dev/ttyUSB0).";
}

// The kind the kernel files character device `rdev` under ("tty", "mem", "watchdog", ...);
// empty when it does not say (pseudo-terminals are not listed).
std::string DeviceClass(dev_t rdev) {
  const std::string link = "/sys/dev/char/" + std::to_string(major(rdev)) + ":" +
                           std::to_string(minor(rdev)) + "/subsystem";
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  return error ? std::string() : target.filename().string();
}

std::optional<pid_t> ProcessId(std::string_view name) {
  pid_t pid = 0;
  auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (ec != std::errc() || end != name.data() + name.size() || pid <= 0)
    return std::nullopt;
  return pid;
}

// True when process folder `procFolder` (/proc/<pid>) has a descriptor open on `rdev`.
bool HoldsDevice(const std::string& procFolder, dev_t rdev) {
  const std::string fdFolder = procFolder + "/fd";
  DIR* dir = ::opendir(fdFolder.c_str());
  if (!dir)
    return false;  // another user's process, or one that ended meanwhile
  bool holds = false;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (entry->d_name[0] == '.' || ::stat((fdFolder + "/" + entry->d_name).c_str(), &st) != 0)
      continue;
    if (S_ISCHR(st.st_mode) && st.st_rdev == rdev) {
      holds = true;
      break;
    }
  }
  ::closedir(dir);
  return holds;
}

}  // namespace

DeviceCheck CheckSerialDevice(const std::string& device) {
  DeviceCheck check;
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) {
    check.error = errno;
    return check;
  }
  if (!S_ISCHR(st.st_mode)) {
    check.problem = NotSerial(device, FileKindOf(st.st_mode));
    return check;
  }
  check.rdev = st.st_rdev;
  const std::string kind = DeviceClass(st.st_rdev);
  if (!kind.empty() && kind != "tty")
    check.problem = NotSerial(device, "a device of the kind " + kind);
  return check;
}

std::string CheckOpenedSerialDevice(int fd, const std::string& device, dev_t rdev) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || st.st_rdev != rdev)
    return device + " changed while it was opened: nothing is sent to it.\nTry again.";
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0)
    return NotSerial(device, "a character device without terminal settings");
  return {};
}

std::string ProgramName(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(in, name);
  return name;
}

std::vector<PortHolder> ProcessesHolding(const std::string& device) {
  std::vector<PortHolder> holders;
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
    return holders;
  DIR* proc = ::opendir("/proc");
  if (!proc)
    return holders;
  const pid_t self = ::getpid();
  while (const dirent* entry = ::readdir(proc)) {
    const std::optional<pid_t> pid = ProcessId(entry->d_name);
    if (!pid || *pid == self)
      continue;
    if (HoldsDevice(std::string("/proc/") + entry->d_name, st.st_rdev))
      holders.push_back({*pid, ProgramName(*pid)});
  }
  ::closedir(proc);
  return holders;
}

namespace {

// "picocom (pid 4242), ser2net (pid 4250)".
std::string HoldersList(const std::vector<PortHolder>& holders) {
  std::string text;
  for (const PortHolder& holder : holders) {
    text += (text.empty() ? "" : ", ") +
            (holder.program.empty() ? std::string("a process") : holder.program) + " (pid " +
            std::to_string(holder.pid) + ")";
  }
  return text;
}

}  // namespace

std::string PortInUseText(const std::string& device, const std::vector<PortHolder>& holders) {
  return device + " is in use by " + HoldersList(holders) +
         ", which has it open: the camera's replies would go astray.\nClose that program and "
         "try again.";
}

std::string PortHoldersText(const std::string& device) {
  const std::vector<PortHolder> holders = ProcessesHolding(device);
  if (holders.empty())
    return {};
  return device + " is open in " + HoldersList(holders) +
         ": close it, it may take the camera's replies";
}

}  // namespace vistrel
