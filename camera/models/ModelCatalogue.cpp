#include "camera/models/ModelCatalogue.h"

#include <algorithm>
#include <array>

#include "camera/models/ModelReadLists.h"
#include "core/CommandIds.h"

namespace vistrel {
namespace {

// The colour sequencer gains of the monochrome model's missing commands.
constexpr int kFirstColourGainCommand = 540;
constexpr int kLastColourGainCommand = 542;

constexpr ModelNumberLimits kLimits = kCommonNumberLimits;

constexpr std::array<const char*, 2> kRlChoice{"RL-4100T-VLNK", "RL-8200T-VLNK"};
constexpr std::array<const char*, 1> kQxMonoChoice{"QX-70500M-VLNK"};
constexpr std::array<const char*, 1> kQxColourChoice{"QX-70500C-VLNK"};

const std::array<ModelRecord, 5>& Records() {
  static const std::array<ModelRecord, 5> records{{
      {Model::Rl4100T,
       "RL-4100T-VLNK",
       ModelFamily::Rl,
       SensorColour::Colour,
       1456,
       1088,
       RlReadList(),
       {},
       kRlChoice,
       0,
       false,
       kLimits},
      {Model::Rl8200T, "RL-8200T-VLNK", ModelFamily::Rl, SensorColour::Colour, 2064, 1544,
       RlReadList(), Rl8200Lacking(), kRlChoice, 1, false, kLimits},
      {Model::Qx70500M,
       "QX-70500M-VLNK",
       ModelFamily::Qx,
       SensorColour::Monochrome,
       4112,
       3008,
       QxReadList(),
       {},
       kQxMonoChoice,
       0,
       true,
       kLimits},
      {Model::Qx70500C,
       "QX-70500C-VLNK",
       ModelFamily::Qx,
       SensorColour::Colour,
       4112,
       3008,
       QxReadList(),
       {},
       kQxColourChoice,
       0,
       true,
       kLimits},
      // Any other camera: every row is read and offered, with the largest geometry.
      {Model::Other,
       "",
       ModelFamily::Other,
       SensorColour::Unknown,
       4112,
       3008,
       {},
       {},
       {},
       -1,
       false,
       kLimits},
  }};
  return records;
}

bool Contains(std::span<const int> list, int ctrlId) {
  return std::ranges::find(list, ctrlId) != list.end();
}

}  // namespace

std::span<const ModelRecord> KnownModelRecords() {
  return std::span(Records()).first(Records().size() - 1);
}

const ModelRecord& RecordOf(Model model) {
  return Records()[static_cast<size_t>(model)];
}

const ModelRecord& RecordForCode(int code) {
  const int other = CodeOf(Model::Other);
  return Records()[static_cast<size_t>(code >= 0 && code < other ? code : other)];
}

Model ModelNamed(std::string_view name) {
  for (const ModelRecord& record : KnownModelRecords()) {
    if (name == record.name)
      return record.model;
  }
  return Model::Other;
}

int CodeOf(Model model) {
  return static_cast<int>(model);
}

bool ModelSupportsControl(int modelCode, int ctrlId) {
  const ModelRecord& record = RecordForCode(modelCode);
  if (record.readList.empty())
    return true;
  return Contains(record.readList, ctrlId) && !Contains(record.lacking, ctrlId);
}

bool ExcludedForMonochrome(int commandId) {
  return (commandId >= cmd::SQPGR1 && commandId <= cmd::SQPGB10) ||
         (commandId >= kFirstColourGainCommand && commandId <= kLastColourGainCommand);
}

}  // namespace vistrel
