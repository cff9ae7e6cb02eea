#include "transport/CClSerial2000.h"

#include <fnmatch.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace vistrel {

namespace {

constexpr std::array<const char*, 2> kPatterns = {"clser*.so", "libclser*.so"};

bool Matches(const std::string& name) {
  return std::any_of(kPatterns.begin(), kPatterns.end(),
                     [&](const char* pattern) { return ::fnmatch(pattern, name.c_str(), 0) == 0; });
}

}  // namespace

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
  if (!LoadClLibrary(LibraryFolder() + "/" + name, kRequiredFunctions, "Camera Link 2000"))
    return false;
  return InitSerial(index);
}

}  // namespace vistrel
