#pragma once

#include <string>
#include <vector>

#include "camera/SettingFileLines.h"

namespace vistrel {

class CliSession;

class JsonWriter;

// The commands over the camera's settings as a whole; each returns the exit status. A file
// named "-" is standard input.
int RunInfo(CliSession& s);
int RunDump(CliSession& s);
int RunSave(CliSession& s, const std::string& path, bool shipping);
int RunDiff(CliSession& s, const std::string& path);

// How a load runs.
struct LoadChoices {
  bool strict = false;  // a skipped or refused line fails the load
  bool force = false;   // load a file whose model line names another model
  bool dryRun = false;  // check every value against the model and send nothing
};
int RunLoad(CliSession& s, const std::string& path, const LoadChoices& choices);

// A line of a setting file named in a message on stderr: "FILE:LINE: what: the line".
void NoteLine(CliSession& s, const std::string& path, const FileLineNote& note,
              const std::string& what);
// A skipped line with why; lines for other models are left out with --quiet.
void NoteSkipped(CliSession& s, const std::string& path, const FileLineNote& note);
// The "skipped" array of a JSON record.
void PrintSkippedJson(JsonWriter& w, const std::vector<FileLineNote>& skipped);

}  // namespace vistrel
