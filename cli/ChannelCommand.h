#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `channel` (shows the stored channel) and `channel set` (stores one).
void AddChannelCommand(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
