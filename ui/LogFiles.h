#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Interfaces.h"

namespace vistrel {

// Where the logs are saved: the stored "Command Log File Path".
struct LogFolderAccess {
  std::function<std::string()> get;
  std::function<void(const std::string&)> set;
};

// Asks for a file to save to (folder, filter and default extension as given), asks before
// replacing an existing file, writes `lines` each followed by a line feed and remembers the
// folder. False when the operator cancelled or the file could not be written (reported).
bool SaveLinesWithDialog(IMessagePresenter& messages, LogFolderAccess& folder,
                         const std::string& defaultExtension, const std::string& filter,
                         const std::vector<std::string>& lines);

// The folder part of a path (everything before its last separator); the path itself when it
// has none.
std::string ParentFolderOf(const std::string& path);

// "<path>\nThis file already exists.\nReplace existing file?"
std::string ReplaceQuestion(const std::string& path);

// The file the operator chooses to write, starting in `folder`; an existing one only when the
// operator agrees to replace it. Nothing when the choice is cancelled.
std::optional<std::string> ChooseFileToWrite(IMessagePresenter& messages, const std::string& folder,
                                             const std::string& defaultExtension,
                                             const std::string& filter);

}  // namespace vistrel
