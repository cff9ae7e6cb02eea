#pragma once

#include <string>

namespace vistrel {

class CliSession;

// The commands over the camera's settings as a whole; each returns the exit status.
int RunInfo(CliSession& s, bool json);
int RunDump(CliSession& s, bool json);
int RunSave(CliSession& s, const std::string& path, bool shipping);
// `force`: load a file whose model line names another model.
int RunLoad(CliSession& s, const std::string& path, bool strict, bool force);
int RunDiff(CliSession& s, const std::string& path, bool json);

}  // namespace vistrel
