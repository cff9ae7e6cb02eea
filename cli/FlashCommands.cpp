#include "cli/FlashCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>

#include "camera/FlashAreas.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kFactoryArea = 0;
constexpr int kLastArea = 3;

int RunStore(CliSession& s, int area) {
  // As in the desktop program, only factory control mode offers the factory area.
  if (area == kFactoryArea && !s.Camera().FactoryMode()) {
    s.Err() << "vistrelctl: storing into the factory area needs factory control mode "
               "(--factory)\n";
    return kExitUsage;
  }
  return s.StatusFor(StoreArea(s.Camera(), area));
}

// Names the area in the JSON record of a store or load.
int WithArea(CliSession& s, int area, int status) {
  if (s.Json())
    s.Record().Value("area", area);
  return status;
}

// Milliseconds as seconds with one decimal: "2.1 s".
std::string SecondsText(int ms) {
  return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s";
}

// Resets the camera and, unless told not to, waits until it answers again: the next command
// then finds it ready.
int RunReset(CliSession& s, bool noWait) {
  const Outcome reset = CameraReset(s.Camera());
  if (reset != Outcome::Done || noWait)
    return s.StatusFor(reset);
  const RestartWait wait = WaitForRestart(s.Camera(), limits::kRestartMs);
  if (wait.outcome != Outcome::Done) {
    return s.Fail(
        s.StatusFor(wait.outcome),
        "the camera took the reset but did not answer again within " + SecondsText(wait.tookMs),
        "check its power and cable, then ask it with: vistrelctl info");
  }
  if (s.Json())
    s.Record().Value("restartMs", wait.tookMs);
  else
    s.Out() << "the camera answered again after " << SecondsText(wait.tookMs) << '\n';
  return kExitOk;
}

}  // namespace

void AddFlashCommands(CLI::App& app, ChosenAction& chosen) {
  constexpr const char* kAreaJson = "\"area\"";
  auto area = std::make_shared<int>(1);
  CLI::App* store =
      AddCameraCommand(app, chosen,
                       {"store", "Store the working settings into a flash area",
                        "vistrelctl --device /dev/ttyUSB0 store 1"},
                       [area](CliSession& s) { return WithArea(s, *area, RunStore(s, *area)); });
  store->add_option("AREA", *area, "0 factory, 1..3 user areas")
      ->required()
      ->check(CLI::Range(kFactoryArea, kLastArea));
  AddJsonFlag(*store, chosen, kAreaJson);

  auto loadArea = std::make_shared<int>(1);
  CLI::App* load = AddCameraCommand(app, chosen,
                                    {"load-area", "Load a flash area, then read all settings",
                                     "vistrelctl --device /dev/ttyUSB0 load-area 1"},
                                    [loadArea](CliSession& s) {
                                      return WithArea(s, *loadArea,
                                                      s.StatusFor(LoadArea(s.Camera(), *loadArea)));
                                    });
  load->add_option("AREA", *loadArea, "0 factory, 1..3 user areas")
      ->required()
      ->check(CLI::Range(kFactoryArea, kLastArea));
  AddJsonFlag(*load, chosen, kAreaJson);

  // Said no (or no terminal to ask and no --yes): nothing was sent, a usage error.
  CLI::App* storeAll = AddCameraCommand(
      app, chosen,
      {"store-all",
       "Store the working settings into user areas 3, 2 and 1 (asks on a terminal; --yes "
       "without one)",
       "vistrelctl --device /dev/ttyUSB0 --yes store-all"},
      [](CliSession& s) { return s.StatusFor(StoreAll(s.Camera())); });
  AddJsonFlag(*storeAll, chosen, "nothing more");
  auto noWait = std::make_shared<bool>(false);
  CLI::App* reset = AddCameraCommand(
      app, chosen,
      {"reset",
       "Restart the camera and wait until it answers again (at most 30 s); prints how long "
       "that took",
       "vistrelctl --device /dev/ttyUSB0 reset"},
      [noWait](CliSession& s) { return RunReset(s, *noWait); });
  reset->add_flag("--no-wait", *noWait, "end once the camera took the reset");
  AddJsonFlag(*reset, chosen, "\"restartMs\" (without --no-wait)");
}

}  // namespace vistrel
