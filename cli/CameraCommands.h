#pragma once

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace vistrel {

struct ChosenAction;

// Adds `ports` and the commands that read or write the camera's settings as a whole:
// `info`, `dump`, `save`, `load`, `diff`.
void AddCameraCommands(CLI::App& app, ChosenAction& chosen);

// A setting file to read must be a regular file of a sane size; anything else is a usage
// error before the channel is opened.
CLI::Validator SettingFileCheck();

}  // namespace vistrel
