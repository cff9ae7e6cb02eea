#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;
class CliSession;

// Checks every NAME=VALUE against the connected model first (nothing is sent when one is
// wrong), then sends them in order, each confirmed; stops at the first the camera refuses.
int RunSet(CliSession& s, const std::vector<std::string>& pairs);

// Adds `get`, `set`, `send` and `describe`: single commands by name.
void AddValueCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
