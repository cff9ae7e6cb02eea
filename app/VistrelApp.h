#pragma once

#include <QtWidgets/QApplication>
#include <optional>
#include <string>

namespace vistrel {

// What the command line asks for.
struct StartOptions {
  bool simulate = false;
  std::string model;            // --simulate=MODEL
  std::string screenshot;       // --screenshot=FILE: grab the main window after start-up and end
  bool quitAfterStart = false;  // --quit-after-start: end after start-up (timing runs)
  bool help = false;            // --help, -h: print the usage and end
  bool version = false;         // --version: print the version and end
  bool valid = true;
  std::string error;
};
StartOptions ParseStartOptions(int argc, char** argv);
// The usage that --help prints.
const char* StartHelp();

// The application object: builds the program-wide objects, runs the main dialog modally and
// ends when it ends.
class CVistrelApp final : public QApplication {
  Q_OBJECT

 public:
  CVistrelApp(int& argc, char** argv);
  // The start-up routine; returns the process exit code.
  int Run(const StartOptions& options);
};

}  // namespace vistrel
