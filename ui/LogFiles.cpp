#include "ui/LogFiles.h"

#include <filesystem>

#include "core/AtomicFile.h"

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
  // A device, a FIFO or a folder is never replaced: nothing to ask.
  if (const std::string refusal = WriteRefusal(*chosen); !refusal.empty()) {
    messages.ShowMessage(refusal, "Error", MessageIcon::Stop);
    return std::nullopt;
  }
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
    // Text lines as the platform ends them.
#ifdef _WIN32
  constexpr const char* kLineEnd = "\r\n";
#else
  constexpr const char* kLineEnd = "\n";
#endif
  std::string text;
  for (const std::string& line : lines)
    text += line + kLineEnd;
  std::string why;
  if (!WriteFileAtomically(*chosen, text, &why)) {
    messages.ShowMessage("File open error !\n" + why, "Error", MessageIcon::Stop);
    return false;
  }
  if (folder.set)
    folder.set(ParentFolderOf(*chosen));
  return true;
}

}  // namespace vistrel
