#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `lut read`, `lut write` and `lut show`: the camera's three output tables and the
// gamma data file.
void AddLutCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
