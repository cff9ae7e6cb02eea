#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// `adjust exposure|gain|white|shading`: a one-shot adjustment and its result.
void AddAdjustCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
