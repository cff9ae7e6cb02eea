#include "cli/OutputFiles.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <ostream>

#include "camera/CameraId.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "core/AtomicFile.h"
#include "core/RegularFile.h"
#include "core/TextEscape.h"

namespace vistrel {

int CheckOutputFile(CliSession& s, const std::string& path, bool force) {
  if (path == kStandardOutputFile)
    return kExitOk;
  if (const std::string refusal = WriteRefusal(path); !refusal.empty()) {
    s.Err() << "vistrelctl: " << EscapeControlsInMessage(refusal) << '\n';
    return kExitUsage;
  }
  if (PathTaken(path) && !force) {
    s.Err() << "vistrelctl: " << EscapeControlsInMessage(path)
            << " exists; give --force to replace it\n";
    return kExitUsage;
  }
  return kExitOk;
}

CLI::Validator OutputFileCheck() {
  return CLI::Validator(
      [](std::string& path) {
        if (path == kStandardOutputFile)
          return std::string();
        const std::string folder = FolderOf(path);
        struct stat st {};
        if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
          return path + ": the folder " + folder + " does not exist";
        return WriteRefusal(path);
      },
      "FILE");
}

int NameOutputFile(const ChosenAction& chosen, CliSession& s, const std::string& channel) {
  if (!chosen.outputFile || !NamesPerCamera(*chosen.outputFile))
    return kExitOk;
  const std::string pattern = *chosen.outputFile;
  std::string id;
  if (NeedsCameraId(pattern)) {
    const CameraRunFacts* facts = chosen.facts;
    const Reading<std::string> read = facts && facts->cameraId
                                          ? Reading<std::string>{Outcome::Done, facts->cameraId}
                                          : ReadCameraId(s.Camera());
    if (!read.value)
      return s.Fail(s.FailureStatus(read.outcome),
                    "the camera id could not be read to name the file",
                    "check the camera, or name the file by {channel}");
    if (read.value->empty())
      return s.Fail(kExitUsage, "the camera has no id to name the file by",
                    "give the camera an id (vistrelctl --factory camera-id TEXT), or name the "
                    "file by {channel}");
    id = *read.value;
  }
  const std::string path = ExpandFileName(pattern, channel, id);
  if (chosen.facts && chosen.facts->claims && NeedsCameraId(pattern) &&
      chosen.facts->claims->Claim(chosen.facts->index, path)) {
    return s.Fail(kExitUsage,
                  "another camera of this run is to write " + path + " too; neither writes it",
                  "give the cameras distinct ids, or name the files by {channel}");
  }
  *chosen.outputFile = path;
  return kExitOk;
}

bool NamesPerCamera(const std::string& pattern) {
  return pattern.find(kChannelField) != std::string::npos || NeedsCameraId(pattern);
}

bool NeedsCameraId(const std::string& pattern) {
  return pattern.find(kCameraIdField) != std::string::npos;
}

std::string FileNameSafe(const std::string& text) {
  std::string safe;
  bool gap = false;
  for (const char c : text) {
    const bool kept = std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.';
    if (!kept) {
      gap = !safe.empty();
      continue;
    }
    if (gap)
      safe += '_';
    gap = false;
    safe += c;
  }
  if (safe.empty() || safe.front() == '.')
    safe.insert(safe.begin(), '_');
  return safe;
}

std::string ExpandFileName(const std::string& pattern, const std::string& channel,
                           const std::string& cameraId) {
  std::string path = pattern;
  const std::pair<const char*, std::string> fields[] = {{kChannelField, FileNameSafe(channel)},
                                                        {kCameraIdField, FileNameSafe(cameraId)}};
  for (const auto& [field, value] : fields) {
    const std::string name = field;
    for (size_t at = path.find(name); at != std::string::npos;) {
      path.replace(at, name.size(), value);
      at = path.find(name, at + value.size());
    }
  }
  return path;
}

OutputClaims::OutputClaims(size_t cameras, size_t slots)
    : freeSlots_(slots), paths_(cameras), done_(cameras, false) {}

void OutputClaims::Enter() {
  std::unique_lock<std::mutex> hold(mutex_);
  changed_.wait(hold, [this] { return freeSlots_ > 0; });
  --freeSlots_;
}

void OutputClaims::Leave(size_t camera) {
  const std::lock_guard<std::mutex> hold(mutex_);
  ++freeSlots_;
  if (!done_[camera]) {
    done_[camera] = true;
    ++settled_;
  }
  changed_.notify_all();
}

std::optional<size_t> OutputClaims::Claim(size_t camera, const std::string& path) {
  std::unique_lock<std::mutex> hold(mutex_);
  paths_[camera] = path;
  done_[camera] = true;
  ++settled_;
  ++freeSlots_;
  changed_.notify_all();
  changed_.wait(hold, [this] { return settled_ == paths_.size() && freeSlots_ > 0; });
  --freeSlots_;
  for (size_t other = 0; other < paths_.size(); ++other) {
    if (other != camera && paths_[other] == path)
      return other;
  }
  return std::nullopt;
}

}  // namespace vistrel
