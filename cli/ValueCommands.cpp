#include "cli/ValueCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/ModelRanges.h"
#include "cli/NumberArgument.h"
#include "cli/SettingCheck.h"
#include "cli/TableCommands.h"
#include "cli/Verdict.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/ReplyFields.h"
#include "core/TextEscape.h"
#include "params/PageChoices.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = 2500;

// The command ids of names given on the command line; empty after saying which is unknown.
std::vector<int> CommandIdsOf(CliSession& s, const std::vector<std::string>& names) {
  std::vector<int> ids;
  for (const std::string& name : names) {
    const int id = CommandTable::FindByName(UpperAscii(name));
    if (id < 0) {
      s.Fail(kExitUsage, "unknown command name: " + name, "vistrelctl commands lists the names");
      return {};
    }
    ids.push_back(id);
  }
  return ids;
}

// A queried value as the camera sent it; numbers in decimal.
std::string ShownValue(const Command& engine, const CommandValue& value) {
  return value.kind == ValueKind::Integer ? std::to_string(value.intValue)
                                          : engine.LastAnswerText();
}

int RunGet(CliSession& s, const std::vector<std::string>& names, bool json) {
  const std::vector<int> ids = CommandIdsOf(s, names);
  if (ids.empty())
    return kExitUsage;
  JsonWriter w;
  w.BeginObject();
  for (int id : ids) {
    CommandValue value;
    if (!s.Engine().Query(id, value, kQueryMs))
      return s.FailureStatus();
    const std::string name(CommandTable::Name(id));
    if (json && value.kind == ValueKind::Integer)
      w.Value(name, static_cast<long long>(value.intValue));
    else if (json)
      w.Value(name, ShownValue(s.Engine(), value));
    else
      s.Out() << name << '=' << EscapeControls(ShownValue(s.Engine(), value)) << '\n';
  }
  if (json)
    s.Out() << w.EndObject().Text() << '\n';
  return kExitOk;
}

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
    const bool ok = setting.value.kind == ValueKind::Text
                        ? s.Engine().SetText(setting.id, setting.value.text, kQueryMs)
                        : s.Engine().SetValue(setting.id, setting.value.intValue, kQueryMs);
    if (ok)
      continue;
    const int status = s.FailureStatus();
    const std::string sent = setting.name + "=" + setting.text;
    if (status == kExitRefused)
      return s.Fail(
          status, "the camera refused " + sent + " (its line is above)",
          "check the value and the control mode (vistrelctl describe " + setting.name + ")");
    return s.Fail(status, SilentCameraVerdict(s.Engine().LastOutcome()).what + " after " + sent,
                  SilentCameraVerdict(s.Engine().LastOutcome()).advice);
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
  if (!s.Engine().Exchange(line + "\r\n", reply, kQueryMs))
    return s.FailureStatus();
  s.Out() << EscapeControls(reply) << '\n';
  if (!IsAnswerLine(reply))
    return s.Fail(kExitRefused, "the camera answered " + line + " with an error line",
                  "check the command name and value (vistrelctl describe NAME)");
  return kExitOk;
}

const char* ClassName(ParamClass paramClass) {
  switch (paramClass) {
    case ParamClass::NotStored:
      return "not-stored";
    case ParamClass::User:
      return "user";
    case ParamClass::Factory:
      return "factory";
  }
  return "?";
}

// One line per parameter row of the command: kind, class, the model's range, the value.
void DescribeRows(CliSession& s, int id, const RangeInputs& inputs, const std::string& value) {
  const ParameterTable& table = s.Camera().Table();
  const std::string name(CommandTable::Name(id));
  bool any = false;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId != id)
      continue;
    int32_t minimum = 0, maximum = 0;
    RowRange(row, inputs, minimum, maximum);
    s.Out() << name << " control " << row.ctrlId << ": "
            << ControlKindName(static_cast<int>(row.kind)) << ", class "
            << ClassName(row.paramClass);
    const std::vector<ChoiceItem> entries =
        row.kind == ControlKind::Choice ? PageChoiceEntries(row.ctrlId, s.Camera().model.code)
                                        : std::vector<ChoiceItem>{};
    if (!entries.empty())
      s.Out() << ", entries " << EntryList(entries);
    else if (row.kind == ControlKind::Number || minimum < maximum)
      s.Out() << ", range " << minimum << ".." << maximum;
    s.Out() << " (model " << s.Camera().model.name << "), value " << value << '\n';
    any = true;
  }
  if (!any)
    s.Out() << name << ": no control, value " << value << '\n';
}

int RunDescribe(CliSession& s, const std::vector<std::string>& names) {
  const std::vector<int> ids = CommandIdsOf(s, names);
  if (ids.empty())
    return kExitUsage;
  const ModelRanges ranges = ReadModelRanges(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  for (int id : ids) {
    CommandValue value;
    if (!s.Engine().Query(id, value, kQueryMs))
      return s.FailureStatus();
    DescribeRows(s, id, ranges.inputs, EscapeControls(ShownValue(s.Engine(), value)));
  }
  return kExitOk;
}

}  // namespace

void AddValueCommands(CLI::App& app, ChosenAction& chosen) {
  auto names = std::make_shared<std::vector<std::string>>();
  auto json = std::make_shared<bool>(false);
  CLI::App* get = AddCameraCommand(
      app, chosen,
      {"get", "Query commands by name and print NAME=value (text as the camera sent it)",
       "vistrelctl --device /dev/ttyUSB0 get TI FGA UD"},
      [names, json](CliSession& s) { return RunGet(s, *names, *json); });
  get->add_option("NAME", *names, "command names")->required();
  get->add_flag("--json", *json, "one JSON object {\"NAME\": value, ...}");

  auto pairs = std::make_shared<std::vector<std::string>>();
  AddCameraCommand(app, chosen,
                   {"set",
                    "Check every setting against the model's ranges and entries, then send them "
                    "in order, stopping at the first refused; numbers in decimal, &H or 0x "
                    "hexadecimal, a choice also by its entry text",
                    "vistrelctl --device /dev/ttyUSB0 set TI=High FGA=&H280"},
                   [pairs](CliSession& s) { return RunSet(s, *pairs); })
      ->add_option("NAME=VALUE", *pairs, "settings")
      ->required();

  auto line = std::make_shared<std::string>();
  AddCameraCommand(app, chosen,
                   {"send", "Send a raw line and print the reply line",
                    "vistrelctl --device /dev/ttyUSB0 send \"VN?\""},
                   [line](CliSession& s) { return RunSend(s, *line); })
      ->add_option("LINE", *line, "the line, without line end")
      ->required()
      ->check(CLI::Validator(
          [](std::string& text) { return text.empty() ? std::string("an empty line") : ""; }, "",
          "not empty"));

  auto described = std::make_shared<std::vector<std::string>>();
  AddCameraCommand(app, chosen,
                   {"describe",
                    "Print each command's controls: kind, class, the connected model's range "
                    "and the camera's current value",
                    "vistrelctl --device /dev/ttyUSB0 describe WTC FGA"},
                   [described](CliSession& s) { return RunDescribe(s, *described); })
      ->add_option("NAME", *described, "command names")
      ->required();
}

}  // namespace vistrel
