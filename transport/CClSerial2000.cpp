#include "transport/CClSerial2000.h"

#include <fnmatch.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vistrel {

namespace {

constexpr std::array<const char*, 2> kPatterns = {"clser*.so", "libclser*.so"};

constexpr std::array<ClFunction, 4> kFunctions = {
    ClFunction::SerialInit,
    ClFunction::SerialClose,
    ClFunction::SerialRead,
    ClFunction::SerialWrite,
};

bool Matches(const std::string& name) {
  return std::any_of(kPatterns.begin(), kPatterns.end(),
                     [&](const char* pattern) { return ::fnmatch(pattern, name.c_str(), 0) == 0; });
}

}  // namespace

std::string CClSerial2000::LibraryFolder() {
  const char* folder = std::getenv("CLSERIALPATH");
  return folder ? std::string(folder) : std::string();
}

void CClSerial2000::RefreshNames() {
  std::vector<std::string> names;
  const std::string folder = LibraryFolder();
  std::error_code error;
  if (!folder.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (Matches(name) && !entry.is_directory(error))
        names.push_back(name);
    }
  }
  // Directory order is arbitrary: sort so that an index names the same file every run.
  std::sort(names.begin(), names.end());
  SetNames(std::move(names));
}

bool CClSerial2000::Open(uint32_t index) {
  Close();
  libraryProblem_.clear();
  EnsureNames();
  const std::string name = PortName(index);
  if (name.empty()) {
    libraryProblem_ = NoLibraryAt(index, PortNameList().size(), "clser*.so or libclser*.so");
    return false;
  }
  if (!LoadClLibrary(LibraryFolder() + "/" + name, kFunctions, "Camera Link 2000"))
    return false;
  return InitSerial(index);
}

bool CClSerial2000::SetBaudRate(uint32_t rate) {
  if (rate == 9600)
    return true;
  Refuse(kBaudRefused);
  return false;
}

}  // namespace vistrel
