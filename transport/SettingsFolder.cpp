#include "transport/SettingsFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vistrel {

namespace {

constexpr const char* kProductFolder = "Orvex/QX-70500-VLNK Camera Vistrel";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty())
    return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
    return entry->pw_dir;
  return ".";
}

}  // namespace

std::string SettingsFolder() {
  std::string folder = Environment("VISTREL_CONFIG_DIR");
  if (!folder.empty())
    return folder;
  std::string base = Environment("XDG_CONFIG_HOME");
  // Relative values are invalid for XDG variables and are ignored.
  if (base.empty() || base.front() != '/')
    base = HomeFolder() + "/.config";
  return base + "/" + kProductFolder;
}

}  // namespace vistrel
