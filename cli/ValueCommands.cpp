#include "cli/ValueCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "camera/models/PageChoices.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/NumberArgument.h"
#include "cli/QueryCommands.h"
#include "cli/SettingCheck.h"
#include "cli/Verdict.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/ReplyFields.h"
#include "core/TextEscape.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

// A NAME=VALUE argument as a setting to check; false after saying what is wrong with it.
bool ParseSetting(CliSession& s, const std::string& pair, RequestedSetting& setting) {
  const std::optional<Assignment> split = SplitAssignment(pair);
  if (!split) {
    s.Fail(kExitUsage, "expected NAME=VALUE: " + pair, "give each setting as NAME=VALUE");
    return false;
  }
  const std::vector<int> ids = CommandIdsOf(s, {split->name});
  if (ids.empty())
    return false;
  if (split->value.find_first_of("\r\n") != std::string::npos) {
    s.Fail(kExitUsage, "the value of " + split->name + " holds a line break",
           "give the value on one line");
    return false;
  }
  setting.id = ids.front();
  setting.name = std::string(CommandTable::Name(setting.id));
  setting.text = split->value;
  setting.value.kind = CommandTable::Entry(setting.id).kind;
  setting.value.text = split->value;
  return true;
}

int RunSet(CliSession& s, const std::vector<std::string>& pairs) {
  std::vector<RequestedSetting> settings;
  for (const std::string& pair : pairs) {
    RequestedSetting setting;
    if (!ParseSetting(s, pair, setting))
      return kExitUsage;
    settings.push_back(setting);
  }
  // One value the model does not allow stops the call before anything is sent.
  if (const int checked = CheckSettings(s, settings); checked != kExitOk)
    return checked;
  for (const RequestedSetting& setting : settings) {
    const Outcome outcome = setting.value.kind == ValueKind::Text
                                ? s.Engine().SetText(setting.id, setting.value.text, kQueryMs)
                                : s.Engine().SetValue(setting.id, setting.value.intValue, kQueryMs);
    if (outcome == Outcome::Done)
      continue;
    const int status = s.FailureStatus(outcome);
    const std::string sent = setting.name + "=" + setting.text;
    if (status == kExitRefused)
      return s.Fail(
          status, "the camera refused " + sent + " (its line is above)",
          "check the value and the control mode (vistrelctl describe " + setting.name + ")");
    const Verdict silent = SilentCameraVerdict(outcome);
    return s.Fail(status, silent.what + " after " + sent, silent.advice);
  }
  return kExitOk;
}

// Whether a reply line is the camera's answer rather than an error text: a confirmation, or
// NAME=value of a known command.
bool IsAnswerLine(const std::string& reply) {
  ReplyFields fields;
  return UpperAscii(reply.substr(0, 8)) == "COMPLETE" || ParseReply(reply, fields);
}

int RunSend(CliSession& s, const std::string& line) {
  if (line.find_first_of("\r\n") != std::string::npos)
    return s.Fail(kExitUsage, "the line holds a line break", "give one line without line end");
  std::string reply;
  if (const Outcome exchanged = s.Engine().Exchange(line + "\r\n", reply, kQueryMs);
      exchanged != Outcome::Done)
    return s.FailureStatus(exchanged);
  if (s.Json())
    s.Record().Value("reply", reply);
  else
    s.Out() << EscapeControls(reply) << '\n';
  if (!IsAnswerLine(reply))
    return s.Fail(kExitRefused, "the camera answered " + line + " with an error line",
                  "check the command name and value (vistrelctl describe NAME)");
  return kExitOk;
}

}  // namespace

void AddValueCommands(CLI::App& app, ChosenAction& chosen) {
  auto names = std::make_shared<std::vector<std::string>>();
  CLI::App* get = AddCameraCommand(
      app, chosen,
      {"get",
       "Query commands by name and print NAME=value (text as the camera sent it); a refused "
       "name is reported and the others are still read",
       "vistrelctl --device /dev/ttyUSB0 get TI FGA UD"},
      [names](CliSession& s) { return RunGet(s, *names); });
  get->add_option("NAME", *names, "command names")->required();
  AddJsonFlag(*get, chosen, "\"values\": {NAME: value, null when not read}");

  auto pairs = std::make_shared<std::vector<std::string>>();
  CLI::App* set = AddCameraCommand(
      app, chosen,
      {"set",
       "Check every setting against the model's ranges and entries (a read-only control "
       "takes none), then send them in order, stopping at the first refused; numbers in "
       "decimal, &H or 0x hexadecimal, a choice also by its entry text",
       "vistrelctl --device /dev/ttyUSB0 set TI=High FGA=&H280"},
      [pairs](CliSession& s) { return RunSet(s, *pairs); });
  set->add_option("NAME=VALUE", *pairs, "settings")->required();
  AddJsonFlag(*set, chosen, "nothing more");

  auto line = std::make_shared<std::string>();
  CLI::App* send = AddCameraCommand(app, chosen,
                                    {"send", "Send a raw line and print the reply line",
                                     "vistrelctl --device /dev/ttyUSB0 send \"VN?\""},
                                    [line](CliSession& s) { return RunSend(s, *line); });
  AddJsonFlag(*send, chosen, "\"reply\": the reply line");
  send->add_option("LINE", *line, "the line, without line end")
      ->required()
      ->check(CLI::Validator(
          [](std::string& text) { return text.empty() ? std::string("an empty line") : ""; }, "",
          "not empty"));

  auto described = std::make_shared<std::vector<std::string>>();
  auto all = std::make_shared<bool>(false);
  CLI::App* describe = AddCameraCommand(
      app, chosen,
      {"describe",
       "Print each command's controls: caption, kind, class, read-only, the connected "
       "model's range (numbers) or entries (choices), the fixed step and the unit where "
       "known, the default and the camera's current value; a refused control is marked and "
       "the rest still read",
       "vistrelctl --device /dev/ttyUSB0 describe WTC FGA"},
      [described, all](CliSession& s) {
        if (*all != described->empty())
          return s.Fail(kExitUsage, "describe takes command names or --all, not both",
                        "give NAME ... or --all");
        return *all ? RunDescribeAll(s) : RunDescribe(s, *described);
      });
  describe->add_option("NAME", *described, "command names");
  describe->add_flag("--all", *all, "every control of the connected camera's model");
  AddJsonFlag(*describe, chosen,
              "\"model\", \"controls\": [{name, ctrl, kind, class, caption, default, readOnly, "
              "min, max, step, unit, scale, entries, value, refused}]");
}

}  // namespace vistrel
