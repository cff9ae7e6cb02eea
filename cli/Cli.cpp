#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/AdjustCommands.h"
#include "cli/CameraCommands.h"
#include "cli/ChannelCommand.h"
#include "cli/ChannelOptions.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Completion.h"
#include "cli/EntryCommands.h"
#include "cli/FlashCommands.h"
#include "cli/HelpFormatter.h"
#include "cli/IdentityCommands.h"
#include "cli/LutCommands.h"
#include "cli/ManPage.h"
#include "cli/MultiRun.h"
#include "cli/OutputFiles.h"
#include "cli/ProvisionCommand.h"
#include "cli/StopSignals.h"
#include "cli/TableCommands.h"
#include "cli/ValueCommands.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

constexpr const char* kProgram = "vistrelctl";
#ifdef _WIN32
constexpr const char* kExampleChannel = "--port 0";
constexpr const char* kDocumentsHelp =
    "\nREADME-Windows.txt, in the folder of vistrelctl.exe, describes the program on Windows.\n";
#else
constexpr const char* kExampleChannel = "--device /dev/ttyUSB0";
constexpr const char* kDocumentsHelp =
    "\nThe manual is vistrelctl(1); the README and the changelog are in\n" VISTREL_DOC_DIR ".\n";
#endif

// What CLI11 left over names an unknown subcommand or option; says so.
int ReportLeftOver(const std::vector<std::string>& leftOver, std::ostream& err) {
  const std::string first = EscapeControlsInMessage(leftOver.front());
  if (first.starts_with("-"))
    err << kProgram << ": unknown option: " << first;
  else
    err << kProgram << ": unknown subcommand: " << first;
  err << "\nRun with --help for usage.\n";
  return kExitUsage;
}

void AddAllCommands(CLI::App& app, ChosenAction& chosen) {
  AddTableCommands(app, chosen);
  AddValueCommands(app, chosen);
  AddCameraCommands(app, chosen);
  AddFlashCommands(app, chosen);
  AddIdentityCommands(app, chosen);
  AddLutCommands(app, chosen);
  AddAdjustCommands(app, chosen);
  AddEntryCommands(app, chosen);
  AddProvisionCommand(app, chosen);
}

// The help of the subcommand named on the command line (or the program's).
std::string HelpFor(CLI::App& app) {
  for (CLI::App* sub : app.get_subcommands())
    return sub->help();
  return app.help();
}

// The names of the subcommands given, as the operator typed them ("get", "lut show").
std::string OperationName(const CLI::App& app) {
  std::string name;
  for (const CLI::App* sub = &app; !sub->get_subcommands().empty();) {
    sub = sub->get_subcommands().front();
    name += (name.empty() ? "" : " ") + sub->get_name();
  }
  return name;
}

// Every camera command starts with the model check, so a camera that does not answer ends
// any command within that check's short limit; every failure ends with one line that says
// what happened on which channel.
int RunOnCamera(const ChosenAction& chosen, CliSession& session, const std::string& channel) {
  int status = session.Open();
  if (status == kExitOk)
    status = session.CheckCameraAnswers();
  const std::string& model = session.Camera().Model().name;
  if (status == kExitOk && chosen.expectedModel && *chosen.expectedModel != model) {
    status = session.Fail(kExitRefused,
                          "the camera is a " + model + ", not the expected " +
                              *chosen.expectedModel + "; nothing was done",
                          "connect the camera of that model or give its model to --expect-model");
  }
  if (status == kExitOk) {
    NoteCameraFacts(session, chosen.facts);
    status = NameOutputFile(chosen, session, channel);
  }
  if (status == kExitOk)
    status = chosen.onCamera(session);
  return session.Finish(status);
}

int RunChosen(const ChosenAction& chosen, const ChannelOptions& options,
              const std::string& operation, std::ostream& out, std::ostream& err) {
  if (chosen.offline && (!chosen.onCamera || !options.NamesChannel()))
    return chosen.offline(out, err);
  CliSession session(options, out, err);
  session.SetOperation(operation);
  session.SetJson(chosen.json);
  // A file named per camera takes the channel as the run names it.
  const std::string channel = options.device.empty() ? session.ChannelText() : options.device;
  const int status = chosen.unopened ? session.Finish(chosen.unopened(session))
                                     : RunOnCamera(chosen, session, channel);
  if (chosen.facts) {
    chosen.facts->last = session.Failure();
    // A camera that named a model names it in the record, also when the run then failed.
    if (chosen.facts->model.empty())
      chosen.facts->model = session.Camera().Model().name;
  }
  return status;
}

// The hidden first arguments the completion scripts and the man page build ask with; whether
// the run was one of them.
bool AnswerHidden(const CLI::App& app, const std::vector<std::string>& arguments,
                  std::ostream& out) {
  const std::string first = arguments.empty() ? "" : arguments.front();
  if (first == kCompleteCommand)
    PrintCompletion(Complete(app, std::vector<std::string>(arguments.begin() + 1, arguments.end())),
                    out);
  else if (first == kManSectionsCommand)
    PrintManSections(app, out);
  else
    return false;
  return true;
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
    case Outcome::NotWritten:
      return kExitNotWritten;
  }
  return kExitRefused;
}

namespace {

struct StatusNames {
  int status;
  OutcomeNames names;
};

constexpr StatusNames kStatusNames[] = {
    {kExitOk, {"done", "done"}},
    {kExitRefused, {"refused", "refused"}},
    {kExitUsage, {"bad input", "bad_input"}},
    {kExitTimeout, {"no reply", "no_reply"}},
    {kExitNoChannel, {"no channel", "channel_lost"}},
    {kExitNotWritten, {"not written", "not_written"}},
};
// A time-out whose exchange found the channel gone.
constexpr OutcomeNames kLostChannel{"channel lost", "channel_lost"};
// Ended by a signal: 128 plus its number.
constexpr OutcomeNames kStopped{"stopped", "stopped"};
// A status no run gives.
constexpr OutcomeNames kUnknown{"stopped", "refused"};
constexpr int kSignalBase = 128;

}  // namespace

OutcomeNames OutcomeNamesOf(int status, Outcome last) {
  if (status == kExitTimeout && last == Outcome::ChannelLost)
    return kLostChannel;
  for (const StatusNames& row : kStatusNames) {
    if (row.status == status)
      return row.names;
  }
  return status > kSignalBase ? kStopped : kUnknown;
}

namespace {

int RunCliOnce(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  // The completion scripts ask with the words typed so far, which may name several channels.
  const bool hidden = !arguments.empty() &&
                      (arguments[0] == kCompleteCommand || arguments[0] == kManSectionsCommand);
  if (!hidden)
    if (const std::optional<int> status = RunOnEveryCamera(arguments, out, err))
      return *status;
  return RunCliArguments(arguments, out, err, nullptr);
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  StopSignals::ClearOutputClosed();
  const int status = RunCliOnce(std::vector<std::string>(argv + 1, argv + argc), out, err);
  out.flush();
  if (!StopSignals::OutputClosed())
    return status;
  // What moved on the cameras was stopped and the locks are gone; say so where that can still
  // be read.
  err << "vistrelctl: stopped: the output was closed (its reader has gone); send the output to "
         "a file or read all of it\n"
      << std::flush;
  return 128 + StopSignals::kOutputClosed;
}

namespace {

// The program's options and subcommands; what the command line chooses lands in `options`
// and `chosen`.
void SetUpApp(CLI::App& app, ChannelOptions& options, ChosenAction& chosen) {
  UseHelpFormatter(app);
  app.set_version_flag("--version", std::string(kProgram) + " " + VISTREL_VERSION);
  app.set_help_all_flag("--help-all", "Print the help of every subcommand and exit");
  app.require_subcommand(0, 1);
  app.fallthrough();
  app.footer(std::string("Example:\n  vistrelctl ") + kExampleChannel +
             " --baud 115200 get TI\n\n" + ExitStatusHelp() + kDocumentsHelp);

  AddChannelOptions(app, options);
  AddAllCommands(app, chosen);
  AddChannelCommand(app, chosen);
  AddMultiRunOptions(app);
}

}  // namespace

std::optional<std::string> OutputFileOf(const std::vector<std::string>& arguments) {
  CLI::App app{"", kProgram};
  ChannelOptions options;
  ChosenAction chosen;
  SetUpApp(app, options, chosen);
  app.allow_extras(true);
  std::vector<std::string> args = RunOptionsFirst(arguments);
  std::reverse(args.begin(), args.end());
  try {
    app.parse(args);
  } catch (const CLI::Error&) {
    return std::nullopt;  // each camera's run says what is wrong
  }
  return chosen.outputFile ? std::optional<std::string>(*chosen.outputFile) : std::nullopt;
}

int RunOnOpenSession(CliSession& session, const std::vector<std::string>& arguments) {
  CLI::App app{"", kProgram};
  ChannelOptions options;
  ChosenAction chosen;
  SetUpApp(app, options, chosen);
  std::vector<std::string> args = arguments;
  std::reverse(args.begin(), args.end());
  try {
    app.parse(args);
  } catch (const CLI::ParseError& e) {
    return session.Fail(kExitUsage, EscapeControlsInMessage(e.what()),
                        "correct the arguments (vistrelctl " + session.Operation() + " --help)");
  }
  session.SetOperation(OperationName(app));
  // The session's channel is open: a run that names another, or no camera command, is no
  // operation on it.
  if (!app.remaining(true).empty() || !chosen.onCamera || options.OverridesChannel())
    return session.Fail(kExitUsage, "not an operation on the open camera",
                        "give one subcommand that works on a camera and no channel options");
  const int named = NameOutputFile(chosen, session, session.ChannelText());
  return named == kExitOk ? chosen.onCamera(session) : named;
}

int RunCliArguments(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    CameraRunFacts* facts) {
  CLI::App app{"vistrelctl: set up a Camera Link camera over its serial channel", kProgram};
  ChannelOptions options;
  ChosenAction chosen;
  chosen.facts = facts;
  SetUpApp(app, options, chosen);
  if (AnswerHidden(app, arguments, out))
    return kExitOk;
  // Subcommands keep CLI11's own check; what reaches the program is reported below.
  app.allow_extras(true);

  std::vector<std::string> args = RunOptionsFirst(arguments);
  std::reverse(args.begin(), args.end());  // CLI11 takes them last first
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    out << HelpFor(app);
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    err << kProgram << ": " << EscapeControlsInMessage(e.what())
        << "\nRun with --help for usage.\n";
    return kExitUsage;
  }
  if (const std::vector<std::string> leftOver = app.remaining(true); !leftOver.empty())
    return ReportLeftOver(leftOver, err);
  if (!chosen.onCamera && !chosen.offline && !chosen.unopened) {
    err << kProgram << ": a subcommand is required\nRun with --help for usage.\n";
    return kExitUsage;
  }
  return RunChosen(chosen, options, OperationName(app), out, err);
}

}  // namespace vistrel
