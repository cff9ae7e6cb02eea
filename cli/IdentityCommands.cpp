#include "cli/IdentityCommands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "camera/CameraData.h"
#include "camera/CameraId.h"
#include "camera/CameraModel.h"
#include "camera/MotorLens.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/IdentityArguments.h"
#include "cli/StopSignals.h"
#include "core/CommandIds.h"
#include "core/TextEscape.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;
constexpr int kLensLongestMs = limits::kLensLongestMs;

// The text argument of a subcommand and whether it was given (an empty text is one).
struct TextArgument {
  std::string text;
  CLI::Option* option = nullptr;
  bool Given() const { return option != nullptr && option->count() > 0; }
};

// "A or B or C".
std::string EitherOf(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : " or ") + name;
  return text;
}

CLI::Validator Checked(std::string (*check)(const std::string&)) {
  return CLI::Validator([check](std::string& value) { return check(value); }, "");
}

// Writing identity data other than the user id is offered in factory control mode only, as
// the desktop program offers it.
bool FactoryModeOrSay(CliSession& s, const char* what) {
  if (s.Camera().FactoryMode())
    return true;
  s.Fail(kExitUsage, std::string("writing the ") + what + " needs factory control mode",
         "give --factory");
  return false;
}

// The text as read, on a line or as the member `key` of the JSON record.
void PrintRead(CliSession& s, const char* key, const std::string& text) {
  if (s.Json())
    s.Record().Value(key, text);
  else
    s.Out() << EscapeControls(text) << '\n';
}

int PrintText(CliSession& s, int commandId, const char* key) {
  std::string text;
  if (const Outcome read = s.Engine().GetText(commandId, text, kQueryMs); read != Outcome::Done)
    return s.FailureStatus(read);
  PrintRead(s, key, s.Engine().LastAnswerText());
  return kExitOk;
}

int RunUserId(CliSession& s, const TextArgument& arg) {
  if (!arg.Given())
    return PrintText(s, cmd::UD, "userId");
  return s.StatusFor(WriteUserId(s.Camera(), arg.text));
}

int RunCameraId(CliSession& s, const TextArgument& arg) {
  if (!arg.Given())
    return PrintText(s, cmd::ID, "cameraId");
  if (!FactoryModeOrSay(s, "camera id"))
    return kExitUsage;
  return s.StatusFor(WriteCameraId(s.Camera(), arg.text));
}

// Writes the model id as the desktop program's model choice does: the name must be an entry
// of the choice the connected model fills, and the write's own check holds that entry
// against the name its position writes.
int RunModelId(CliSession& s, const std::string& name) {
  if (!FactoryModeOrSay(s, "model id"))
    return kExitUsage;
  const std::vector<std::string> entries = ModelChoiceEntries(s.Camera().Model().code);
  const auto entry = std::ranges::find(entries, name);
  const int position = entry == entries.end() ? -1 : static_cast<int>(entry - entries.begin());
  const Outcome outcome = WriteModelId(s.Camera(), position, name);
  if (outcome != Outcome::BadInput)
    return s.StatusFor(outcome);
  // The entries whose position writes their own name: what this camera can be given.
  std::vector<std::string> given;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (ModelIdForEntry(static_cast<int>(i)) == entries[i])
      given.push_back(entries[i]);
  }
  const std::string names = EitherOf(given);
  return s.Fail(kExitUsage,
                name + " is not a model id of this camera's family (it is " +
                    s.Camera().Model().name + "); nothing was sent",
                names.empty() ? "this camera's model id cannot be changed" : "give " + names);
}

int RunDeviceVersion(CliSession& s, const TextArgument& arg) {
  if (!arg.Given())
    return PrintText(s, cmd::DV, "deviceVersion");
  if (!FactoryModeOrSay(s, "device version"))
    return kExitUsage;
  return s.StatusFor(WriteDeviceVersion(s.Camera(), arg.text));
}

int RunXmlVersion(CliSession& s, const TextArgument& arg) {
  if (!arg.Given()) {
    const Reading<int32_t> read = ReadXmlVersion(s.Camera());
    if (!read.value)
      return s.FailureStatus(read.outcome);
    PrintRead(s, "xmlVersion", FormatXmlVersion(*read.value));
    return kExitOk;
  }
  if (!FactoryModeOrSay(s, "XML version"))
    return kExitUsage;
  const std::string& t = arg.text;
  return s.StatusFor(WriteXmlVersion(s.Camera(), {t.substr(0, 1), t.substr(2, 1), t.substr(4, 1)}));
}

// Stops the lens once, says why on stderr when it was not the plain end of the move, and
// returns the exit status. `startOutcome`: how the start ended.
int StopLensAndSay(CliSession& s, const LensButton& button, StopSignals& signals,
                   Outcome startOutcome) {
  const int signal = signals.Received();
  signals.BeginStop();
  const bool startConfirmed = startOutcome == Outcome::Done;
  const bool early = signal != 0 || !startConfirmed;
  const Outcome stop = StopLens(s.Engine(), button, early ? kLensStopNowMs : kLensMoveMs);
  const bool stopped = stop == Outcome::Done;
  const char* stopText =
      stopped ? "the lens was stopped" : "the stop was not confirmed; the lens may still be moving";
  if (signal != 0) {
    s.Err() << "vistrelctl: " << StopSignals::Name(signal) << " received: " << stopText << '\n';
    return signals.ExitStatus();
  }
  if (!startConfirmed) {
    s.Err() << "vistrelctl: the camera did not confirm the lens start ("
            << OutcomeText(startOutcome) << "), so the stop was sent: " << stopText
            << ". Check the connection, then run the command again.\n";
    return s.StatusFor(startOutcome);
  }
  if (stopped)
    return kExitOk;
  s.Err() << "vistrelctl: " << stopText << '\n';
  return s.FailureStatus(stop);
}

// Moves the lens for `ms`, then stops it. The start's confirmation is waited for no longer
// than the move itself: a start that got no answer may still have started the motor, so the
// stop goes out when the move was to end. A signal ends the move at once.
int RunLens(CliSession& s, const LensButton& button, int ms) {
  Command& engine = s.Engine();
  StopSignals signals(engine);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  const Outcome started = StartLens(engine, button, std::min(ms, kLensMoveMs));
  // The camera refused the start or the channel is gone: nothing moves, or nothing can be sent.
  if (started != Outcome::Done && started != Outcome::NoReply)
    return s.FailureStatus(started);
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
  if (started == Outcome::Done && left.count() > 0)
    signals.Wait(static_cast<int>(left.count()));
  return StopLensAndSay(s, button, signals, started);
}

void AddLensCommand(CLI::App& app, ChosenAction& chosen) {
  struct LensArguments {
    std::string function;
    std::string direction;
    int ms = 0;
  };
  auto args = std::make_shared<LensArguments>();
  CLI::App* lens = AddCameraCommand(
      app, chosen,
      {"lens",
       "Move the motor lens (iris open|close, zoom wide|tele, focus near|far) for --ms "
       "milliseconds, then stop it; SIGINT, SIGTERM or SIGHUP stop it at once (exit 128 + "
       "signal)",
       "vistrelctl --device /dev/ttyUSB0 lens zoom tele --ms 500"},
      [args](CliSession& s) {
        return RunLens(s, *FindLensButton(args->function, args->direction), args->ms);
      });
  lens->add_option("FUNCTION", args->function, "iris, zoom or focus")
      ->required()
      ->check(CLI::IsMember({"iris", "zoom", "focus"}));
  lens->add_option("DIRECTION", args->direction,
                   "open|close (iris), wide|tele (zoom), near|far "
                   "(focus)")
      ->required()
      ->check(CLI::IsMember({"open", "close", "wide", "tele", "near", "far"}));
  lens->add_option("--ms", args->ms, "how long the lens moves, in milliseconds")
      ->required()
      ->check(CLI::Range(1, kLensLongestMs));
  // A direction of another function is refused before the channel is opened.
  lens->parse_complete_callback([args] {
    if (!FindLensButton(args->function, args->direction))
      throw CLI::ValidationError("DIRECTION", "'" + EscapeControlsInMessage(args->direction) +
                                                  "' is not a direction of " + args->function);
  });
}

}  // namespace

namespace {

// A subcommand that prints one identity text of the camera, or writes the TEXT given.
struct TextCommand {
  CommandHelp help;
  const char* argument;      // the name of TEXT in the usage
  const char* argumentHelp;  // what TEXT is
  const char* key;           // the member of the JSON record that holds the text read
  std::string (*check)(const std::string&);
  int (*run)(CliSession&, const TextArgument&);
};

constexpr TextCommand kTextCommands[] = {
    {{"user-id", "Print the user id, or write TEXT (at most 16 characters)",
      "vistrelctl --device /dev/ttyUSB0 user-id 'Line 4 left'"},
     "TEXT",
     "the user id to write",
     "userId",
     CheckUserIdArgument,
     RunUserId},
    {{"camera-id",
      "Print the camera id, or write TEXT (at most 10 characters; needs factory control mode)",
      "vistrelctl --device /dev/ttyUSB0 --factory camera-id AB12345678"},
     "TEXT",
     "the camera id to write",
     "cameraId",
     CheckCameraIdArgument,
     RunCameraId},
    {{"device-version", "Print the device version, or write A.B.C.D (needs factory control mode)",
      "vistrelctl --device /dev/ttyUSB0 --factory device-version 1.0.2.7"},
     "A.B.C.D",
     "the device version to write",
     "deviceVersion",
     CheckDeviceVersionArgument,
     RunDeviceVersion},
    {{"xml-version", "Print the XML version, or write N.N.N (needs factory control mode)",
      "vistrelctl --device /dev/ttyUSB0 --factory xml-version 1.2.3"},
     "N.N.N",
     "the XML version to write",
     "xmlVersion",
     CheckXmlVersionArgument,
     RunXmlVersion},
};

}  // namespace

void AddIdentityCommands(CLI::App& app, ChosenAction& chosen) {
  for (const TextCommand& command : kTextCommands) {
    auto arg = std::make_shared<TextArgument>();
    CLI::App* sub =
        AddCameraCommand(app, chosen, command.help,
                         [arg, run = command.run](CliSession& s) { return run(s, *arg); });
    arg->option = sub->add_option(command.argument, arg->text, command.argumentHelp)
                      ->check(Checked(command.check));
    AddJsonFlag(*sub, chosen, std::string("\"") + command.key + "\" when read");
  }

  auto model = std::make_shared<std::string>();
  CLI::App* modelId = AddCameraCommand(
      app, chosen,
      {"model-id", "Write the model id, then check the model (needs factory control mode)",
       "vistrelctl --device /dev/ttyUSB0 --factory model-id RL-8200T-VLNK"},
      [model](CliSession& s) { return RunModelId(s, *model); });
  modelId->add_option("MODEL", *model, EitherOf(WritableModelNames()))
      ->required()
      ->check(CLI::IsMember(WritableModelNames()));
  AddJsonFlag(*modelId, chosen, "nothing more");

  AddLensCommand(app, chosen);
}

}  // namespace vistrel
