#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `get`, `set`, `send` and `describe`: single commands by name.
void AddValueCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
