#pragma once

#include <string>
#include <vector>

namespace vistrel {

class CliSession;

// The command ids of names given on the command line; empty after saying which is unknown.
std::vector<int> CommandIdsOf(CliSession& s, const std::vector<std::string>& names);

// Each asks the camera for every name given, past the ones it refuses, and exits with the
// worst status; output as text, or into the run's JSON record.
int RunGet(CliSession& s, const std::vector<std::string>& names);
int RunDescribe(CliSession& s, const std::vector<std::string>& names);
// Every control of the connected model, with its value from one read-all pass.
int RunDescribeAll(CliSession& s);

}  // namespace vistrel
