#pragma once

#include <string>
#include <vector>

#include "camera/CameraSession.h"
#include "camera/SettingFileLines.h"
#include "core/Outcome.h"

namespace vistrel {

// A line of a setting file whose value the camera does not hold.
struct FileDifference {
  int lineNumber;  // from 1
  std::string name;
  std::string fileValue;
  std::string cameraValue;
};

struct DiffResult {
  // Done when every compared value was read (whether or not it matched); otherwise what
  // kept the comparison from finishing. BadInput: the file could not be read.
  Outcome outcome = Outcome::Done;
  std::vector<FileDifference> differences;
  std::vector<FileLineNote> skipped;  // lines a load would not send, with why
  int compared = 0;                   // lines compared with the camera
};

// Compares the setting file at `path` with the camera as loading it would apply it: the
// lines a load sends, and of lines for the same setting only the last, as that is what the
// camera keeps. Nothing is sent but queries.
DiffResult DiffSettingFile(CameraSession& session, const std::string& path);

}  // namespace vistrel
