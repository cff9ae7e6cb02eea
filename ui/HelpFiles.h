#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vistrel {

// A manual the about box offers: the name shown and the file to open.
struct HelpFile {
  std::string name;
  std::filesystem::path path;
};

// The PDF manuals (regular files named *.pdf, in any case) of the current folder, then those
// of the installed documentation folder whose names the current folder does not have; each
// folder's in name order. A folder that does not exist adds none.
std::vector<HelpFile> FindHelpFiles(const std::filesystem::path& currentFolder,
                                    const std::filesystem::path& docFolder);

// The program's installed documentation folder.
std::filesystem::path InstalledDocFolder();

}  // namespace vistrel
