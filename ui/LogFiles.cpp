#include "ui/LogFiles.h"

#include <cstdio>
#include <filesystem>

namespace vistrel {

std::string ParentFolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(0, slash);
}

std::string ReplaceQuestion(const std::string& path) {
  return path + "\nThis file already exists." + "\nReplace existing file?";
}

std::optional<std::string> ChooseFileToWrite(IMessagePresenter& messages, const std::string& folder,
                                             const std::string& defaultExtension,
                                             const std::string& filter) {
  const std::optional<std::string> chosen =
      messages.ChooseFile(true, folder, defaultExtension, filter);
  if (!chosen || chosen->empty())
    return std::nullopt;
  std::error_code error;
  if (std::filesystem::exists(*chosen, error) &&
      !messages.AskYesNo(ReplaceQuestion(*chosen), "Confirm"))
    return std::nullopt;
  return chosen;
}

bool SaveLinesWithDialog(IMessagePresenter& messages, LogFolderAccess& folder,
                         const std::string& defaultExtension, const std::string& filter,
                         const std::vector<std::string>& lines) {
  const std::optional<std::string> chosen = ChooseFileToWrite(
      messages, folder.get ? folder.get() : std::string(), defaultExtension, filter);
  if (!chosen)
    return false;
  FILE* file = std::fopen(chosen->c_str(), "wt");
  if (file == nullptr) {
    messages.ShowMessage("File open error !", "Error", MessageIcon::Stop);
    return false;
  }
  bool ok = true;
  for (const std::string& line : lines)
    ok = std::fprintf(file, "%s\n", line.c_str()) >= 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    messages.ShowMessage("File open error !", "Error", MessageIcon::Stop);
    return false;
  }
  if (folder.set)
    folder.set(ParentFolderOf(*chosen));
  return true;
}

}  // namespace vistrel
