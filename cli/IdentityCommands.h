#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `user-id`, `camera-id`, `model-id`, `device-version`, `xml-version` and `lens`.
void AddIdentityCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
