#include "transport/ComPortNames.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace vistrel {

namespace fs = std::filesystem;

std::string ComPortName(int index) {
  if (index < 0 || static_cast<uint32_t>(index) > kMaxComPortIndex)
    return {};
  return "COM" + std::to_string(index + 1);
}

std::string ComPortDevice(const std::string& settingsFolder, const std::string& name) {
  constexpr std::string_view kPrefix = "COM";
  if (name.size() <= kPrefix.size() || !name.starts_with(kPrefix))
    return name;
  unsigned number = 0;
  const char* first = name.data() + kPrefix.size();
  const char* last = name.data() + name.size();
  auto [end, ec] = std::from_chars(first, last, number);
  if (ec != std::errc() || end != last || number < 1 || *first == '0')
    return name;

  const fs::path ports = fs::path(settingsFolder) / "ports";
  const fs::path link = ports / name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(link, error);
  if (!error && fs::is_symlink(status)) {
    fs::path target = fs::read_symlink(link, error);
    if (!error)
      return (target.is_absolute() ? target : ports / target).lexically_normal();
  }
  if (!error && fs::exists(status))
    return link.string();
  return "/dev/ttyS" + std::to_string(number - 1);
}

bool ComDevicePresent(const std::string& device) {
  std::error_code error;
  return fs::exists(device, error);
}

}  // namespace vistrel
