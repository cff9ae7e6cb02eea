#include "cli/ModelRanges.h"

#include <ostream>
#include <vector>

#include "camera/models/ModelCatalogue.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/Json.h"
#include "core/CommandTable.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

// The modes the number ranges follow, in the order they are read.
constexpr RangeMode kModes[] = {
    {"HB", &RangeInputs::hb, 2},     {"VB", &RangeInputs::vb, 2},   {"SQHB", &RangeInputs::sqhb, 2},
    {"SQVB", &RangeInputs::sqvb, 2}, {"IGM", &RangeInputs::igm, 1},
};

// Whether the connected model has a control for the command (and so answers its query).
bool ModelHasCommand(CliSession& s, int commandId) {
  const ParameterTable& table = s.Camera().Table();
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId == commandId && ModelSupportsControl(s.Camera().Model().code, row.ctrlId))
      return true;
  }
  return false;
}

// The command's number control on the connected model, or null.
const ParameterEntry* NumberRow(CliSession& s, int commandId) {
  const ParameterTable& table = s.Camera().Table();
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId == commandId && row.kind == ControlKind::Number &&
        ModelSupportsControl(s.Camera().Model().code, row.ctrlId))
      return &row;
  }
  return nullptr;
}

}  // namespace

bool OutsideRange(CliSession& s, int commandId, int32_t value, const RangeInputs* inputs,
                  std::string& range) {
  const ParameterEntry* row = NumberRow(s, commandId);
  if (row == nullptr)
    return false;
  std::vector<RangeInputs> settings;
  if (inputs != nullptr) {
    settings.push_back(*inputs);
  } else {
    settings.push_back(ModelRangeInputs(s.Camera().Model()));
    for (const RangeMode& mode : kModes) {
      settings.push_back(settings.front());
      settings.back().*mode.field = mode.other;
    }
  }
  bool outside = true;
  for (const RangeInputs& setting : settings) {
    int32_t minimum = 0, maximum = 0;
    RowRange(*row, setting, minimum, maximum);
    if (minimum >= maximum || (value >= minimum && value <= maximum))
      outside = false;
    if (range.empty())
      range = std::to_string(minimum) + ".." + std::to_string(maximum);
  }
  return outside;
}

void WarnOutsideRange(CliSession& s, int commandId, int32_t value, const std::string& range,
                      const char* kept) {
  s.Err() << "vistrelctl: warning: the camera holds " << CommandTable::Name(commandId) << '='
          << value << ", outside its range " << range << "; " << kept << '\n';
}

void NameListJson(JsonWriter& w, std::string_view key, const std::vector<int>& ids) {
  if (ids.empty())
    return;
  w.BeginArray(key);
  for (const int id : ids)
    w.Value({}, CommandTable::Name(id));
  w.EndArray();
}

std::span<const RangeMode> RangeModes() {
  return kModes;
}

ModelRanges ModelRangesUnread(CliSession& s) {
  ModelRanges ranges;
  ranges.status = s.CheckCameraAnswers();
  if (ranges.status != kExitOk)
    return ranges;
  const CameraModel& model = s.Camera().Model();
  ranges.inputs = ModelRangeInputs(model);
  NullParameterView noView;
  s.Camera().Table().AdjustRangesForModel(model.Record().blemishLimits, noView);
  return ranges;
}

int ReadRangeMode(CliSession& s, const RangeMode& mode, RangeInputs& inputs) {
  const int id = CommandTable::FindByName(mode.name);
  // A mode this model does not have keeps its default (off).
  if (!ModelHasCommand(s, id))
    return kExitOk;
  int32_t value = 0;
  const Outcome read = s.Engine().GetValue(id, value, kQueryMs);
  if (read == Outcome::Done)
    inputs.*mode.field = value;
  else if (!Answered(read))
    return s.FailureStatus(read);
  return kExitOk;
}

ModelRanges ReadModelRanges(CliSession& s) {
  ModelRanges ranges = ModelRangesUnread(s);
  for (const RangeMode& mode : kModes) {
    if (ranges.status != kExitOk)
      break;
    ranges.status = ReadRangeMode(s, mode, ranges.inputs);
  }
  return ranges;
}

void RowRange(const ParameterEntry& row, const RangeInputs& inputs, int32_t& minimum,
              int32_t& maximum) {
  if (!NumberRangeFor(row, inputs, minimum, maximum)) {
    minimum = row.minimum;
    maximum = row.maximum;
  }
}

}  // namespace vistrel
