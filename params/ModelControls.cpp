#include "params/ModelControls.h"

#include <algorithm>
#include <array>
#include <set>

#include "camera/CameraModel.h"
#include "camera/models/ModelCatalogue.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/ControlIds.h"
#include "core/ParameterTable.h"

namespace vistrel {
namespace {

// The index fields of the blemish tables.
constexpr std::array kBlemishIndexFields = {ctl::BlemishIndexWhite, ctl::BlemishIndexGreen,
                                            ctl::BlemishIndexBlue};

// The read and write buttons of the camera's own position lists, whose commands have no name.
constexpr NamelessControl kPositionListButtons[] = {
    {ctl::Position1Query, cmd::Position1}, {ctl::Position1Write, cmd::Position1},
    {ctl::Position2Query, cmd::Position2}, {ctl::Position2Write, cmd::Position2},
    {ctl::Position3Query, cmd::Position3}, {ctl::Position3Write, cmd::Position3},
    {ctl::Position4Query, cmd::Position4}, {ctl::Position4Write, cmd::Position4},
};

bool ReadForModel(const ParameterEntry& row, int modelCode) {
  if (!ModelSupportsControl(modelCode, row.ctrlId))
    return false;
  CameraModel model;
  model.code = modelCode;
  return !(model.IsMonochrome() && ExcludedForMonochrome(row.commandId));
}

bool ReadForSomeModel(const ParameterEntry& row) {
  // Only the known models have read lists; any other camera reads every row.
  return std::ranges::any_of(KnownModelRecords(), [&row](const ModelRecord& record) {
    return ReadForModel(row, CodeOf(record.model));
  });
}

}  // namespace

std::vector<NamelessControl> ControlsWithoutCommand(const ParameterTable& table) {
  std::vector<NamelessControl> ids;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (CommandTable::Name(row.commandId).empty() &&
        std::ranges::find(kBlemishIndexFields, row.ctrlId) == kBlemishIndexFields.end())
      ids.push_back({row.ctrlId, row.commandId});
  }
  ids.insert(ids.end(), std::begin(kPositionListButtons), std::end(kPositionListButtons));
  return ids;
}

std::vector<int> ControlsLackingForModel(const ParameterTable& table, int modelCode) {
  // By command: a button that sends a command goes with the field that shows it.
  std::set<int32_t> readForSome;
  std::set<int32_t> readForThis;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (!table.IsReadable(i) || CommandTable::Name(row.commandId).empty())
      continue;
    if (ReadForSomeModel(row))
      readForSome.insert(row.commandId);
    if (ReadForModel(row, modelCode))
      readForThis.insert(row.commandId);
  }
  std::vector<int> ids;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (readForSome.contains(row.commandId) && !readForThis.contains(row.commandId))
      ids.push_back(row.ctrlId);
  }
  return ids;
}

}  // namespace vistrel
