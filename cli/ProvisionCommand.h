#pragma once

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// Adds `provision FILE [--area N]`: on one open of the channel, the model check, the load of
// the file, its verification (the camera must hold every value the file sets), the store
// into a flash area and the read-back of that area; one record that names the step that
// failed. With several channels it runs on every camera at once.
void AddProvisionCommand(CLI::App& app, ChosenAction& chosen);

}  // namespace vistrel
