#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vistrel {

class CliSession;
struct CameraRunFacts;

// Adds the options of a run over several cameras to the help: --device may be given more
// than once, --devices FILE names one channel per line (DEVICE [BAUD]), --jobs N limits how
// many run at once.
void AddMultiRunOptions(CLI::App& app);

// Runs the command on every camera the arguments (without the program name) name when they
// name several or ask for a run over cameras (--devices, --jobs): each camera in a thread of
// its own, with its own session, engine and channel. Text output: every line prefixed with
// its channel, whole lines only. With --json: one JSON record per camera on its own line.
// Lines and records come out in the order the channels are named: the lines of a camera that
// runs ahead wait until every camera named before it has finished.
// Returns the worst exit status of all, or nullopt when the arguments ask for an ordinary run.
std::optional<int> RunOnEveryCamera(const std::vector<std::string>& args, std::ostream& out,
                                    std::ostream& err);

// Notes the model of the session's camera in `facts` (when given), and asks the camera for
// its id. Called once the model check has passed.
void NoteCameraFacts(CliSession& s, CameraRunFacts* facts);

}  // namespace vistrel
