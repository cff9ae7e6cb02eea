#pragma once

#include "cli/CameraCommands.h"

namespace vistrel {

// Adds `ports`, the list of the ports of every channel kind.
void AddPortCommands(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
