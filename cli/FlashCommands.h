#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `store`, `load-area`, `store-all` and `reset`.
void AddFlashCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
