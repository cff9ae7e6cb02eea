#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `ports` and the commands that read or write the camera's settings as a whole:
// `info`, `dump`, `save`, `load`, `diff`.
void AddCameraCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
