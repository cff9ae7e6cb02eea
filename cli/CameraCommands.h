#pragma once

#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vistrel {

class CliSession;

// A camera command: runs on an open session and returns the exit status.
using CameraAction = std::function<int(CliSession&)>;

// Adds the commands that talk to a camera; the one chosen is stored in `action`.
void AddCameraCommands(CLI::App& app, CameraAction& action);

}  // namespace vistrel
