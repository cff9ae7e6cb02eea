#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "core/Outcome.h"

namespace CLI {
class App;
}

namespace vistrel {

class CliSession;
class OutputClaims;

// What a run learnt about its camera, for the record of a run over several cameras.
struct CameraRunFacts {
  bool idWanted = false;  // ask the camera for its id once the model check has passed
  std::string model;      // empty until the model check has passed
  std::optional<std::string> cameraId;
  Outcome last = Outcome::Done;  // how the run's last failed operation ended
  // In a run over several cameras: this camera's place and the files all of them write.
  size_t index = 0;
  OutputClaims* claims = nullptr;
};

// What the chosen subcommand does: on an open session, or without a channel, or either
// (the session when the run names a channel).
struct ChosenAction {
  std::function<int(CliSession&)> onCamera;
  std::function<int(std::ostream& out, std::ostream& err)> offline;
  // On a session whose channel stays closed (listing the ports).
  std::function<int(CliSession&)> unopened;
  // The model the camera must report before the command runs (--expect-model).
  std::optional<std::string> expectedModel;
  // --json: the run prints one JSON object (docs/json-schema.md).
  bool json = false;
  // Receives what the run learnt about its camera; may be null.
  CameraRunFacts* facts = nullptr;
  // The file the command writes, when it writes one (save, lut read): the name as given,
  // then as expanded for the camera (NameOutputFile).
  std::shared_ptr<std::string> outputFile;
};

// How a subcommand presents itself in its --help.
struct CommandHelp {
  const char* name;
  const char* description;
  const char* example;  // a full command line
};

// Adds a subcommand with its help footer (the example and the exit statuses).
CLI::App* AddSubcommand(CLI::App& app, const CommandHelp& help);
// Adds a subcommand that runs `run` on the camera when it is the one chosen.
CLI::App* AddCameraCommand(CLI::App& app, ChosenAction& chosen, const CommandHelp& help,
                           std::function<int(CliSession&)> run);

// Makes `file` the chosen command's output file when `sub` is the one chosen.
void AddOutputFile(CLI::App& sub, ChosenAction& chosen, std::shared_ptr<std::string> file);

// Adds --expect-model NAME: the command runs only on a camera that reports model NAME.
void AddExpectModelOption(CLI::App& sub, ChosenAction& chosen);

// Adds --json: the command prints one JSON object, `what` says what it holds.
void AddJsonFlag(CLI::App& sub, ChosenAction& chosen, const std::string& what);

// The exit statuses, for help texts.
const char* ExitStatusHelp();

}  // namespace vistrel
