#include "cli/PortCommands.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliSession.h"

namespace vistrel {

void AddPortCommands(CLI::App& app, CameraAction& action) {
  auto* ports = app.add_subcommand("ports", "List the ports of every channel kind");
  ports->callback([&action] {
    action = [](CliSession& s) {
      CCommunication& comm = s.Channel();
      const uint32_t mode = comm.GetMode();
      for (uint32_t m = 0; m < CCommunication::kModeCount; ++m) {
        comm.SetMode(m);
        const int count = comm.GetPortCount();
        for (int i = 0; i < count; ++i)
          s.Out() << m << ' ' << i << ' ' << comm.GetPortName(i) << '\n';
      }
      comm.SetMode(mode);
      return kExitOk;
    };
  });
}

}  // namespace vistrel
