#include <cstdlib>
#include <string>

#include "transport/SettingsFolder.h"

namespace vistrel {

namespace {

constexpr const char* kProductFolder = "Orvex\\QX-70500-VLNK Camera Vistrel";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

// $VISTREL_CONFIG_DIR when set, else the user's application data folder (%APPDATA%).
std::string SettingsFolder() {
  std::string folder = Environment("VISTREL_CONFIG_DIR");
  if (!folder.empty())
    return folder;
  for (const char* base : {"APPDATA", "LOCALAPPDATA", "USERPROFILE"}) {
    const std::string value = Environment(base);
    if (!value.empty())
      return value + "\\" + kProductFolder;
  }
  return kProductFolder;
}

}  // namespace vistrel
