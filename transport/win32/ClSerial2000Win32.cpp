#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "transport/CClSerial2000.h"

namespace vistrel {

namespace {

constexpr const char* kPattern = "clser*.dll";
constexpr DWORD kFolderChars = 1024;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && _stricmp(a.c_str(), b.c_str()) == 0;
}

// The file names matching the pattern in `folder`, in the order the system lists them.
std::vector<std::string> MatchingFiles(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty())
    return names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\" + kPattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The folders searched, in order: a name found in an earlier one hides the same name later.
std::vector<std::string> SearchFolders() {
  return {CClSerial2000::SystemFolder(), CClSerial2000::LibraryFolder()};
}

}  // namespace

std::string CClSerial2000::SystemFolder() {
  char folder[kFolderChars] = {};
  const UINT length = GetSystemDirectoryA(folder, kFolderChars - 1);
  return length > 0 && length < kFolderChars ? std::string(folder, length) : std::string();
}

void CClSerial2000::RefreshNames() {
  std::vector<std::string> names;
  for (const std::string& folder : SearchFolders()) {
    std::vector<std::string> found = MatchingFiles(folder);
    // Directory order differs between file systems: sort so that an index names the same
    // file every run.
    std::sort(found.begin(), found.end());
    for (std::string& name : found) {
      const bool listed = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return SameName(n, name); });
      if (!listed)
        names.push_back(std::move(name));
    }
  }
  SetNames(std::move(names));
}

bool CClSerial2000::Open(uint32_t index) {
  Close();
  EnsureNames();
  libraryProblem_.clear();
  const std::string name = PortName(index);
  if (name.empty()) {
    libraryProblem_ = NoLibraryAt(index, PortNameList().size(),
                                  std::string(kPattern) + " in the system folder or");
    return false;
  }
  for (const std::string& folder : SearchFolders()) {
    const std::vector<std::string> files = MatchingFiles(folder);
    const bool here = std::any_of(files.begin(), files.end(),
                                  [&](const std::string& n) { return SameName(n, name); });
    if (here) {
      if (!LoadClLibrary(folder + "\\" + name, kRequiredFunctions, "Camera Link 2000"))
        return false;
      return InitSerial(index);
    }
  }
  return false;
}

}  // namespace vistrel
