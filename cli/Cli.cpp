#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/TableCommands.h"

namespace vistrel {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"vistrelctl: set up a Camera Link camera over its serial channel", "vistrelctl"};
  app.set_version_flag("--version", VISTREL_VERSION);
  app.require_subcommand(1);

  auto* commands = app.add_subcommand("commands", "List the camera's command table");
  commands->callback([&out] { PrintCommandTable(out); });
  auto* params = app.add_subcommand("params", "List the parameter table as it stands at start");
  params->callback([&out] { PrintParameterTable(out); });

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion&) {
    out << VISTREL_VERSION << '\n';
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    err << "vistrelctl: " << e.what() << '\n' << app.help();
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace vistrel
