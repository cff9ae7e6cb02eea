#include "cli/QueryCommands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>

#include "camera/ReadAll.h"
#include "camera/models/ControlCaptions.h"
#include "camera/models/ControlFacts.h"
#include "camera/models/ModelCatalogue.h"
#include "camera/models/PageChoices.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/Json.h"
#include "cli/ModelRanges.h"
#include "cli/SettingCheck.h"
#include "cli/TableCommands.h"
#include "cli/Verdict.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/TextEscape.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

// How asking for one name went.
struct NameReading {
  int id = -1;
  CommandValue value;
  std::string text;  // the value as the camera sent it, numbers in decimal
  int status = kExitOk;
  bool outOfRange = false;  // a number outside its control's range (kept: it is the camera's)
  std::string range;        // that range, when outOfRange
};

void CheckRange(CliSession& s, const RangeInputs* inputs, int32_t value, NameReading& r) {
  r.outOfRange = OutsideRange(s, r.id, value, inputs, r.range);
}

void ReadFromTable(CliSession& s, const RangeInputs& inputs, int32_t value, NameReading& r) {
  r.text = std::to_string(value);
  r.value.intValue = value;
  CheckRange(s, &inputs, value, r);
}

// Says once for each reading whose number lies outside its range that it is shown anyway.
void WarnOutsideRanges(CliSession& s, const std::vector<NameReading>& readings) {
  for (const NameReading& r : readings) {
    if (r.outOfRange)
      WarnOutsideRange(s, r.id, r.value.intValue, r.range, "shown as the camera holds it");
  }
}

// Asks the camera for each name in turn, past refusals; a camera that no longer answers is
// not asked again (the names after it keep the status of the one it did not answer).
std::vector<NameReading> ReadNames(CliSession& s, const std::vector<int>& ids,
                                   const RangeInputs* inputs) {
  std::vector<NameReading> readings;
  int silent = kExitOk;
  for (const int id : ids) {
    NameReading r;
    r.id = id;
    if (silent != kExitOk) {
      r.status = silent;
    } else if (const Outcome read = s.Engine().Query(id, r.value, kQueryMs);
               read == Outcome::Done) {
      r.text = r.value.kind == ValueKind::Integer ? std::to_string(r.value.intValue)
                                                  : s.Engine().LastAnswerText();
      if (r.value.kind == ValueKind::Integer)
        CheckRange(s, inputs, r.value.intValue, r);
    } else {
      r.status = s.FailureStatus(read);
      if (r.status != kExitRefused)
        silent = r.status;
    }
    readings.push_back(std::move(r));
  }
  return readings;
}

// The value as a person reads it, or why there is none.
std::string ValueText(const NameReading& r) {
  switch (r.status) {
    case kExitOk:
      return EscapeControls(r.text) + (r.outOfRange ? " (outside the range)" : "");
    case kExitRefused:
      return "refused by the camera";
    case kExitUsage:
      return "none (not read)";
    default:
      return "not read (no reply)";
  }
}

void ValueJson(JsonWriter& w, std::string_view key, const NameReading& r) {
  if (r.status != kExitOk)
    w.Null(key);
  else if (r.value.kind == ValueKind::Text)
    w.Value(key, r.text);
  else
    w.NumberOrText(key, r.text);
}

// The status of a pass over names: the worst of them, with one line saying how many failed.
int JudgeReadings(CliSession& s, const std::vector<NameReading>& readings) {
  int worst = kExitOk;
  std::string failed;
  for (const NameReading& r : readings) {
    if (r.status == kExitOk)
      continue;
    worst = std::max(worst, r.status);
    failed += (failed.empty() ? "" : " ") + std::string(CommandTable::Name(r.id));
  }
  if (worst == kExitOk)
    return kExitOk;
  if (worst == kExitRefused)
    return s.Fail(worst, "the camera refused " + failed + " (the others were read)",
                  "check the names against the model (vistrelctl describe --all)");
  const Verdict silent = SilentCameraVerdict(s.Failure());
  return s.Fail(worst, silent.what + "; not read: " + failed, silent.advice);
}

// The choice entries of a row for the connected model (none for other kinds).
std::vector<ChoiceItem> EntriesOf(CliSession& s, const ParameterEntry& row) {
  if (row.kind != ControlKind::Choice)
    return {};
  return PageChoiceEntries(row.ctrlId, s.Camera().Model().code);
}

// What describe says of a control besides its value: what it is called, what it takes and
// what its numbers mean.
struct RowDescription {
  std::vector<ChoiceItem> entries;                   // of a choice
  std::optional<std::pair<int32_t, int32_t>> range;  // of a number
  std::optional<int32_t> step;
  std::optional<ControlUnit> unit;
};

RowDescription DescriptionOf(CliSession& s, const ParameterEntry& row, const RangeInputs& inputs) {
  RowDescription d;
  d.entries = EntriesOf(s, row);
  if (row.kind == ControlKind::Number) {
    int32_t minimum = 0, maximum = 0;
    RowRange(row, inputs, minimum, maximum);
    d.range = {minimum, maximum};
    d.step = FixedStep(row.ctrlId);
    d.unit = UnitOf(row.ctrlId);
  }
  return d;
}

void DescribeRowJson(JsonWriter& w, int rowIndex, const ParameterEntry& row,
                     const RowDescription& d, const NameReading& r) {
  w.BeginObject().Value("name", CommandTable::Name(row.commandId)).Value("ctrl", row.ctrlId);
  w.Value("kind", ControlKindName(static_cast<int>(row.kind)))
      .Value("class", ClassName(row.paramClass));
  RowBasicsJson(w, rowIndex, row, d.range);
  if (d.range)
    w.Value("min", d.range->first).Value("max", d.range->second);
  if (d.step)
    w.Value("step", *d.step);
  if (d.unit && *d.unit->unit != '\0')
    w.Value("unit", d.unit->unit);
  if (d.unit)
    w.NumberOrText("scale", d.unit->scale);
  if (!d.entries.empty()) {
    w.BeginArray("entries");
    for (const ChoiceItem& entry : d.entries)
      w.BeginObject().Value("text", entry.text).Value("value", entry.value).EndObject();
    w.EndArray();
  }
  ValueJson(w, "value", r);
  w.Value("outOfRange", r.outOfRange).Value("refused", r.status == kExitRefused).EndObject();
}

// One control: its caption, kind, class, what it takes (the model's range or entries, the
// step, the unit), its default and its value (null when refused).
void DescribeRow(CliSession& s, int rowIndex, const ParameterEntry& row, const RangeInputs& inputs,
                 const NameReading& r) {
  const RowDescription d = DescriptionOf(s, row, inputs);
  if (s.Json())
    return DescribeRowJson(s.Record(), rowIndex, row, d, r);
  std::ostream& out = s.Out();
  out << CommandTable::Name(row.commandId) << " control " << row.ctrlId << ": "
      << ControlKindName(static_cast<int>(row.kind)) << ", class " << ClassName(row.paramClass);
  if (const std::string caption = CaptionOf(row.ctrlId); !caption.empty())
    out << ", caption \"" << caption << '"';
  out << (IsReadOnlyCommand(row.commandId) ? ", read-only" : "");
  if (!d.entries.empty())
    out << ", entries " << EntryList(d.entries);
  if (d.range)
    out << ", range " << d.range->first << ".." << d.range->second;
  if (d.step)
    out << ", step " << *d.step;
  if (d.unit && *d.unit->unit != '\0')
    out << ", unit " << d.unit->unit;
  if (d.unit && std::string_view(d.unit->scale) != "1")
    out << ", scale " << d.unit->scale;
  if (const std::optional<int32_t> initial = DefaultOf(rowIndex, row, d.range))
    out << ", default " << *initial;
  out << " (model " << EscapeControls(s.Camera().Model().name) << "), value " << ValueText(r)
      << '\n';
}

// The controls of the command in the parameter table, or a line for a command without one.
void DescribeName(CliSession& s, const RangeInputs& inputs, const NameReading& r) {
  const ParameterTable& table = s.Camera().Table();
  bool any = false;
  for (int i = 0; i < table.RowCount(); ++i) {
    if (table.Row(i).commandId == r.id) {
      DescribeRow(s, i, table.Row(i), inputs, r);
      any = true;
    }
  }
  if (any)
    return;
  const std::string name(CommandTable::Name(r.id));
  if (s.Json()) {
    JsonWriter& w = s.Record();
    w.BeginObject().Value("name", name).Null("ctrl").Value("readOnly", IsReadOnlyCommand(r.id));
    ValueJson(w, "value", r);
    w.Value("refused", r.status == kExitRefused).EndObject();
  } else {
    s.Out() << name << ": no control" << (IsReadOnlyCommand(r.id) ? ", read-only" : "")
            << ", value " << ValueText(r) << '\n';
  }
}

}  // namespace

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

int RunGet(CliSession& s, const std::vector<std::string>& names) {
  const std::vector<int> ids = CommandIdsOf(s, names);
  if (ids.empty())
    return kExitUsage;
  const ModelRanges ranges = ModelRangesUnread(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  const std::vector<NameReading> readings = ReadNames(s, ids, nullptr);
  if (s.Json())
    s.Record().BeginObject("values");
  for (const NameReading& r : readings) {
    const std::string name(CommandTable::Name(r.id));
    if (s.Json())
      ValueJson(s.Record(), name, r);
    else if (r.status == kExitOk)
      s.Out() << name << '=' << EscapeControls(r.text) << '\n';
  }
  if (s.Json()) {
    s.Record().EndObject();
    std::vector<int> flagged;
    for (const NameReading& r : readings) {
      if (r.outOfRange)
        flagged.push_back(r.id);
    }
    NameListJson(s.Record(), "outOfRange", flagged);
  }
  WarnOutsideRanges(s, readings);
  return JudgeReadings(s, readings);
}

int RunDescribe(CliSession& s, const std::vector<std::string>& names) {
  const std::vector<int> ids = CommandIdsOf(s, names);
  if (ids.empty())
    return kExitUsage;
  const ModelRanges ranges = ReadModelRanges(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  const std::vector<NameReading> readings = ReadNames(s, ids, &ranges.inputs);
  if (s.Json())
    s.Record().Value("model", s.Camera().Model().name).BeginArray("controls");
  for (const NameReading& r : readings)
    DescribeName(s, ranges.inputs, r);
  if (s.Json())
    s.Record().EndArray();
  WarnOutsideRanges(s, readings);
  return JudgeReadings(s, readings);
}

int RunDescribeAll(CliSession& s) {
  const ModelRanges ranges = ReadModelRanges(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  // The read-all pass asks for every row the model has, past the ones the camera refuses.
  const ReadAllResult result = ReadAll(s.Camera());
  const ParameterTable& table = s.Camera().Table();
  std::vector<NameReading> flagged;
  if (s.Json())
    s.Record().Value("model", s.Camera().Model().name).BeginArray("controls");
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    // A row without a command name is the page's own: nothing to ask or set by name.
    if (!ModelSupportsControl(s.Camera().Model().code, row.ctrlId) ||
        CommandTable::Name(row.commandId).empty())
      continue;
    NameReading r;
    r.id = row.commandId;
    if (std::ranges::find(result.unread, i) != result.unread.end())
      r.status = s.StatusFor(result.Overall());
    else if (std::ranges::find(result.read, i) != result.read.end())
      ReadFromTable(s, ranges.inputs, row.value, r);
    else
      r.status = kExitUsage;  // not read by the pass: a button or a write-only setting
    DescribeRow(s, i, row, ranges.inputs, r);
    if (r.outOfRange)
      flagged.push_back(std::move(r));
  }
  if (s.Json())
    s.Record().EndArray();
  WarnOutsideRanges(s, flagged);
  if (result.Complete())
    return kExitOk;
  const int status = s.StatusFor(result.Overall());
  return s.Fail(status, UnreadMessage(result),
                status == kExitRefused ? "the controls the camera refused are marked above"
                                       : SilentCameraVerdict(result.outcome).advice);
}

}  // namespace vistrel
