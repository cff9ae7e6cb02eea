#include "cli/TableCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>

#include "camera/models/ControlCaptions.h"
#include "camera/models/ControlFacts.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/ModelRanges.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"

namespace vistrel {
namespace {

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Integer:
      return "int";
    case ValueKind::Real:
      return "real";
    case ValueKind::Text:
      return "text";
  }
  return "?";
}

}  // namespace

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

const char* ControlKindName(int kind) {
  switch (static_cast<ControlKind>(kind)) {
    case ControlKind::Check:
      return "check";
    case ControlKind::Choice:
      return "choice";
    case ControlKind::Number:
      return "number";
    case ControlKind::Action:
      return "action";
  }
  return "?";
}

namespace {

std::string CommandLabel(int commandId) {
  const std::string_view name = CommandTable::Name(commandId);
  if (!name.empty())
    return std::string(name);
  // Appended rather than "#" + text: GCC 12's optimiser warns wrongly (-Wrestrict) on that.
  std::string label = "#";
  label += std::to_string(commandId);
  return label;
}

void PrintParameterJson(JsonWriter& w, int rowIndex, const ParameterEntry& row, int32_t minimum,
                        int32_t maximum) {
  w.BeginObject()
      .Value("ctrl", row.ctrlId)
      .Value("command", CommandLabel(row.commandId))
      .Value("kind", ControlKindName(static_cast<int>(row.kind)))
      .Value("class", ClassName(row.paramClass))
      .Value("min", minimum)
      .Value("max", maximum)
      .Value("initial", row.value)
      .Value("inFile", row.inFile != 0);
  std::optional<std::pair<int32_t, int32_t>> range;
  if (row.kind == ControlKind::Number)
    range = std::pair{minimum, maximum};
  RowBasicsJson(w, rowIndex, row, range);
  w.EndObject();
}

// Prints the rows, with the ranges under `inputs` when they are the connected model's; with
// `json`, into its "params" array.
void PrintParameters(std::ostream& out, const std::vector<ParameterEntry>& rows,
                     const RangeInputs* inputs, JsonWriter* json) {
  if (json)
    json->BeginArray("params");
  for (size_t i = 0; i < rows.size(); ++i) {
    const ParameterEntry& row = rows[i];
    int32_t minimum = row.minimum, maximum = row.maximum;
    if (inputs)
      RowRange(row, *inputs, minimum, maximum);
    if (json) {
      PrintParameterJson(*json, static_cast<int>(i), row, minimum, maximum);
      continue;
    }
    out << row.ctrlId << ' ' << CommandLabel(row.commandId) << ' '
        << ControlKindName(static_cast<int>(row.kind)) << ' ' << static_cast<int>(row.paramClass)
        << ' ' << minimum << ' ' << maximum << ' ' << row.value << ' ' << row.inFile << '\n';
  }
  if (json)
    json->EndArray();
}

int RunParamsOnCamera(CliSession& s) {
  const ModelRanges ranges = ReadModelRanges(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  std::vector<ParameterEntry> rows;
  for (int i = 0; i < s.Camera().Table().RowCount(); ++i)
    rows.push_back(s.Camera().Table().Row(i));
  PrintParameters(s.Out(), rows, &ranges.inputs, s.Json() ? &s.Record() : nullptr);
  return kExitOk;
}

}  // namespace

std::optional<int32_t> DefaultOf(int rowIndex, const ParameterEntry& row,
                                 const std::optional<std::pair<int32_t, int32_t>>& range) {
  if (row.kind == ControlKind::Action)
    return std::nullopt;
  const int32_t initial = InitialParameterRows()[static_cast<size_t>(rowIndex)].value;
  if (range && (initial < range->first || initial > range->second))
    return std::nullopt;
  return initial;
}

void RowBasicsJson(JsonWriter& w, int rowIndex, const ParameterEntry& row,
                   const std::optional<std::pair<int32_t, int32_t>>& range) {
  if (const std::string caption = CaptionOf(row.ctrlId); !caption.empty())
    w.Value("caption", caption);
  if (const std::optional<int32_t> initial = DefaultOf(rowIndex, row, range))
    w.Value("default", *initial);
  w.Value("readOnly", IsReadOnlyCommand(row.commandId));
}

void PrintCommandTable(std::ostream& out, bool json) {
  JsonWriter w;
  w.BeginObject().Value("ok", true).BeginArray("commands");
  for (int id = 0; id < CommandTable::kCount; ++id) {
    const CommandEntry& e = CommandTable::Entry(id);
    const std::string_view name = e.name;
    if (!json) {
      out << e.id << ' ' << (name.empty() ? "-" : name) << ' ' << KindName(e.kind) << ' '
          << e.decimals << '\n';
      continue;
    }
    w.BeginObject().Value("id", e.id);
    name.empty() ? w.Null("name") : w.Value("name", name);
    w.Value("kind", KindName(e.kind)).Value("decimals", e.decimals).EndObject();
  }
  if (json)
    out << w.EndArray().EndObject().Text() << '\n';
}

void AddTableCommands(CLI::App& app, ChosenAction& chosen) {
  CLI::App* commands =
      AddSubcommand(app, {"commands", "List the camera's command table: ID NAME KIND DECIMALS",
                          "vistrelctl commands --json"});
  AddJsonFlag(*commands, chosen, "\"commands\": [{id, name, kind, decimals}]");
  commands->callback([&chosen] {
    chosen.offline = [&chosen](std::ostream& out, std::ostream&) {
      PrintCommandTable(out, chosen.json);
      return static_cast<int>(kExitOk);
    };
  });
  CLI::App* params = AddSubcommand(
      app, {"params",
            "List the parameter table: CTRL COMMAND KIND CLASS MIN MAX INITIAL INFILE; with a "
            "channel option, the ranges of the connected camera's model",
            "vistrelctl --device /dev/ttyUSB0 params --json"});
  AddJsonFlag(*params, chosen,
              "\"params\": [{ctrl, command, kind, class, ..., caption, default, readOnly}]");
  params->callback([&chosen] {
    chosen.offline = [&chosen](std::ostream& out, std::ostream&) {
      if (!chosen.json) {
        PrintParameters(out, InitialParameterRows(), nullptr, nullptr);
        return static_cast<int>(kExitOk);
      }
      JsonWriter w;
      w.BeginObject().Value("ok", true);
      PrintParameters(out, InitialParameterRows(), nullptr, &w);
      out << w.EndObject().Text() << '\n';
      return static_cast<int>(kExitOk);
    };
    chosen.onCamera = RunParamsOnCamera;
  });
}

}  // namespace vistrel
