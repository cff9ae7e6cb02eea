#include "cli/SettingCheck.h"

#include <algorithm>
#include <optional>

#include "camera/models/ControlFacts.h"
#include "camera/models/ModelCatalogue.h"
#include "camera/models/PageChoices.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/ModelRanges.h"
#include "cli/NumberArgument.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"

namespace vistrel {
namespace {

// The rows of the command that the connected model has, and what they allow.
struct CommandRows {
  std::vector<const ParameterEntry*> rows;
  std::vector<ChoiceItem> entries;  // of its choice control; empty when it has none
};

CommandRows RowsOf(CliSession& s, int id) {
  CommandRows found;
  const ParameterTable& table = s.Camera().Table();
  const int model = s.Camera().Model().code;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId != id || !ModelSupportsControl(model, row.ctrlId))
      continue;
    found.rows.push_back(&row);
    if (row.kind == ControlKind::Choice && found.entries.empty())
      found.entries = PageChoiceEntries(row.ctrlId, model);
  }
  return found;
}

bool SameRange(const ParameterEntry& row, const RangeInputs& a, const RangeInputs& b) {
  int32_t minA = 0, maxA = 0, minB = 0, maxB = 0;
  RowRange(row, a, minA, maxA);
  RowRange(row, b, minB, maxB);
  return minA == minB && maxA == maxB;
}

std::optional<int32_t> EntryValue(const std::vector<ChoiceItem>& entries, const std::string& text) {
  for (const ChoiceItem& entry : entries) {
    if (UpperAscii(entry.text) == UpperAscii(text))
      return entry.value;
  }
  return std::nullopt;
}

// Why `value` is not one the rows allow; empty when they allow it.
std::string Refusal(const CommandRows& rows, const RangeInputs& inputs, int32_t value) {
  if (!rows.entries.empty()) {
    for (const ChoiceItem& entry : rows.entries) {
      if (entry.value == value)
        return "";
    }
    return "is none of the entries " + EntryList(rows.entries);
  }
  // Of rows with different ranges (an entry table's index and value) the value may fit
  // either; a row without a range of its own takes whatever its page allows.
  std::string ranges;
  for (const ParameterEntry* row : rows.rows) {
    if (row->kind == ControlKind::Action)
      continue;
    int32_t minimum = 0, maximum = 0;
    RowRange(*row, inputs, minimum, maximum);
    if (minimum >= maximum || (value >= minimum && value <= maximum))
      return "";
    ranges +=
        (ranges.empty() ? "" : " or ") + std::to_string(minimum) + ".." + std::to_string(maximum);
  }
  return ranges.empty() ? "" : "is outside the range " + ranges;
}

// The modes not known yet that the ranges of `rows` depend on.
std::vector<size_t> UnknownModesFor(const CommandRows& rows, const RangeInputs& inputs,
                                    const std::vector<bool>& known) {
  const std::span<const RangeMode> modes = RangeModes();
  std::vector<size_t> unknown;
  for (size_t i = 0; i < modes.size(); ++i) {
    RangeInputs other = inputs;
    other.*modes[i].field = modes[i].other;
    const bool depends = std::ranges::any_of(
        rows.rows, [&](const ParameterEntry* row) { return !SameRange(*row, inputs, other); });
    if (!known[i] && depends)
      unknown.push_back(i);
  }
  return unknown;
}

// Whether the rows allow `value` whichever state the `unknown` modes are in.
bool AllowedInEveryMode(const CommandRows& rows, const RangeInputs& inputs,
                        const std::vector<size_t>& unknown, int32_t value) {
  const std::span<const RangeMode> modes = RangeModes();
  for (size_t states = 0; states < (size_t{1} << unknown.size()); ++states) {
    RangeInputs trial = inputs;
    for (size_t b = 0; b < unknown.size(); ++b) {
      if ((states >> b) & 1)
        trial.*modes[unknown[b]].field = modes[unknown[b]].other;
    }
    if (!Refusal(rows, trial, value).empty())
      return false;
  }
  return true;
}

// Reads the modes the verdict on `value` depends on: none when it is allowed in every mode,
// so that a call of good values costs no exchange beyond its settings.
int ReadModesFor(CliSession& s, const CommandRows& rows, int32_t value, RangeInputs& inputs,
                 std::vector<bool>& known) {
  const std::vector<size_t> unknown = UnknownModesFor(rows, inputs, known);
  if (AllowedInEveryMode(rows, inputs, unknown, value))
    return kExitOk;
  for (size_t i : unknown) {
    known[i] = true;
    if (const int status = ReadRangeMode(s, RangeModes()[i], inputs); status != kExitOk)
      return status;
  }
  return kExitOk;
}

// Takes the modes a setting of this call sets for the ranges after it.
void NoteModeSet(const RequestedSetting& setting, RangeInputs& inputs, std::vector<bool>& known) {
  const std::span<const RangeMode> modes = RangeModes();
  for (size_t i = 0; i < modes.size(); ++i) {
    if (setting.name == modes[i].name) {
      inputs.*modes[i].field = setting.value.intValue;
      known[i] = true;
    }
  }
}

}  // namespace

std::string EntryList(const std::vector<ChoiceItem>& entries) {
  std::string text;
  for (const ChoiceItem& entry : entries) {
    if (!text.empty())
      text += ", ";
    text += entry.text + "=" + std::to_string(entry.value);
  }
  return text;
}

int CheckSettings(CliSession& s, std::vector<RequestedSetting>& settings,
                  std::vector<SettingRefusal>* refusals) {
  ModelRanges ranges = ModelRangesUnread(s);
  if (ranges.status != kExitOk)
    return ranges.status;
  std::vector<bool> known(RangeModes().size(), false);
  const std::string model = " (model " + s.Camera().Model().name + "); nothing was sent";
  for (size_t i = 0; i < settings.size(); ++i) {
    RequestedSetting& setting = settings[i];
    // Stops the call at the first value not allowed, or lists it and goes on.
    const auto refuse = [&](const std::string& what, const std::string& advice) {
      if (refusals == nullptr)
        return s.Fail(kExitUsage, what, advice);
      refusals->push_back({i, what, advice});
      return static_cast<int>(kExitOk);
    };
    if (IsReadOnlyCommand(setting.id)) {
      if (const int status = refuse(setting.name +
                                        " is read-only: the camera reports it and takes "
                                        "no value" +
                                        model,
                                    "read it with vistrelctl get " + setting.name);
          status != kExitOk)
        return status;
      continue;
    }
    if (setting.value.kind == ValueKind::Text)
      continue;
    const CommandRows rows = RowsOf(s, setting.id);
    const std::string given = setting.name + "=" + setting.text;
    std::optional<int32_t> number = ParseNumberArgument(setting.text);
    if (!number)
      number = EntryValue(rows.entries, setting.text);
    if (!number) {
      if (const int status =
              refuse(given + " is not a 32-bit number" +
                         (rows.entries.empty() ? "" : " nor an entry of " + setting.name) + model,
                     "give a decimal, &H or 0x hexadecimal number" +
                         (rows.entries.empty() ? "" : " or one of " + EntryList(rows.entries)));
          status != kExitOk)
        return status;
      continue;
    }
    setting.value.intValue = *number;
    if (const int status = ReadModesFor(s, rows, *number, ranges.inputs, known); status != kExitOk)
      return status;
    if (const std::string why = Refusal(rows, ranges.inputs, *number); !why.empty()) {
      if (const int status =
              refuse(given + " " + why + " of " + setting.name + model,
                     "give a value it allows (vistrelctl describe " + setting.name + ")");
          status != kExitOk)
        return status;
      continue;
    }
    NoteModeSet(setting, ranges.inputs, known);
  }
  return kExitOk;
}

}  // namespace vistrel
