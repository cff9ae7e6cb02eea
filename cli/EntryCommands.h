#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// `sequencer`, `entry`, `blemish-clear` and `counts`: the camera's indexed tables.
void AddEntryCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
