#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/Outcome.h"

namespace vistrel {

// Exit statuses of vistrelctl.
enum ExitStatus : int {
  kExitOk = 0,
  kExitRefused = 1,    // the camera refused; its reply went to stderr
  kExitUsage = 2,      // unknown option, command name or malformed value
  kExitTimeout = 3,    // no reply within the time limit
  kExitNoChannel = 4,  // the channel could not be opened
  kExitNotWritten = 5  // a file could not be written
};

// The exit status for how a camera operation ended.
int ExitStatusFor(Outcome outcome);

// How an operation ended, in the two vocabularies callers read: `word` in vistrelctl's JSON
// records ("no reply"), `identifier` as the Python module's CameraError.outcome ("no_reply").
struct OutcomeNames {
  const char* word;
  const char* identifier;
};
// The names of an operation that ended with exit status `status`, its last exchange having
// gone `last`.
OutcomeNames OutcomeNamesOf(int status, Outcome last);

// Runs vistrelctl with the given arguments, printing to `out` and `err`; returns the exit
// status.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

struct CameraRunFacts;
// Runs vistrelctl on one camera (or none) with the arguments after the program name; `facts`,
// when given, receives what the run learnt about its camera.
int RunCliArguments(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    CameraRunFacts* facts);

class CliSession;
// Runs one subcommand (its name and arguments, no channel options) on a session whose channel
// is open and whose camera passed the model check; the same parse and checks as a run of
// vistrelctl. Returns the exit status; the session's record holds the JSON output.
int RunOnOpenSession(CliSession& session, const std::vector<std::string>& arguments);

// The file the subcommand of `arguments` (without the program name) writes (save, lut read),
// as given; nothing runs. nullopt when it writes none or the arguments do not parse.
std::optional<std::string> OutputFileOf(const std::vector<std::string>& arguments);

}  // namespace vistrel
