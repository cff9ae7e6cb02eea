#pragma once

#include <iosfwd>

#include "sim/PtyServer.h"
#include "sim/SimCamera.h"

namespace vistrel {

// What the vistrel-sim command line asks for.
struct SimProgramOptions {
  SimConfig camera;
  PtyServerOptions server;
};

// Reads the command line. Returns -1 when the program should go on, otherwise the exit
// status: 0 after --help (the help on `out`), 2 for a usage error (message and usage on `err`).
int ParseSimProgramOptions(int argc, const char* const* argv, SimProgramOptions& options,
                           std::ostream& out, std::ostream& err);

}  // namespace vistrel
