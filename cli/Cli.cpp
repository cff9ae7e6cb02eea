#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/CameraCommands.h"
#include "cli/CliSession.h"
#include "cli/TableCommands.h"
#include "transport/ComPortNames.h"

namespace vistrel {
namespace {

void AddChannelOptions(CLI::App& app, ChannelOptions& o) {
  auto* group = app.add_option_group("Channel", "for this run only; the stored choice stays");
  group->add_option("--device", o.device, "serial device path (COM port mode)");
  group->add_option("--port", o.port, "COM port index, 0 = COM1")
      ->check(CLI::Range(uint32_t{0}, kMaxComPortIndex, "makes a COM port name"));
  group->add_option("--cl2000", o.cl2000, "Camera Link 2000 library, port index");
  group->add_option("--cl2001", o.cl2001, "Camera Link 2001 library, port index");
  group->add_option("--clver11", o.clVer11, "Camera Link ver.1.1 library, port index");
  group->add_option("--simulate", o.simulate, "use a simulated camera of MODEL")
      ->expected(0, 1)
      ->default_str("")
      ->type_name("[=MODEL]");
  group->require_option(0, 1);
  app.add_option("--baud", o.baud, "baud rate for this run")->check(CLI::PositiveNumber);
  app.add_option("--timeout", o.timeoutMs,
                 "longest wait for any one reply, in ms (default: each command's own limit)")
      ->check(CLI::Range(1, 600000));
  app.add_flag("--log", o.log, "print the time-stamped traffic on stderr");
  auto* factory = app.add_flag("--factory", o.factory, "factory control mode for this run");
  app.add_flag("--user", o.user, "user control mode for this run")->excludes(factory);
  app.add_flag("--yes,-y", o.yes, "answer yes to questions");
}

}  // namespace

int ExitStatusFor(Outcome outcome) {
  switch (outcome) {
    case Outcome::Done:
      return kExitOk;
    case Outcome::Refused:
      return kExitRefused;
    case Outcome::NoReply:
    case Outcome::ChannelLost:
      return kExitTimeout;
    case Outcome::BadInput:
      return kExitUsage;
  }
  return kExitRefused;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"vistrelctl: set up a Camera Link camera over its serial channel", "vistrelctl"};
  app.set_version_flag("--version", VISTREL_VERSION);
  app.require_subcommand(1);
  app.allow_extras(false);
  app.fallthrough();

  ChannelOptions options;
  AddChannelOptions(app, options);
  int tableStatus = -1;
  app.add_subcommand("commands", "List the camera's command table")->callback([&] {
    PrintCommandTable(out);
    tableStatus = kExitOk;
  });
  app.add_subcommand("params", "List the parameter table as it stands at start")->callback([&] {
    PrintParameterTable(out);
    tableStatus = kExitOk;
  });
  CameraAction action;
  AddCameraCommands(app, action);

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
    err << "vistrelctl: " << e.what() << "\nRun with --help for usage.\n";
    return kExitUsage;
  }
  if (tableStatus >= 0)
    return tableStatus;
  if (!action)
    return kExitUsage;

  CliSession session(options, out, err);
  // `ports` lists the ports and opens none of them.
  if (!app.got_subcommand("ports")) {
    const int opened = session.Open();
    if (opened != kExitOk)
      return opened;
  }
  return action(session);
}

}  // namespace vistrel
