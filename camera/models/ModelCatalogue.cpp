#include "camera/models/ModelCatalogue.h"

#include <algorithm>
#include <array>

#include "camera/models/ModelReadLists.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"

namespace vistrel {
namespace {

// The colour sequencer gains of the monochrome model's missing commands.
constexpr int kFirstColourGainCommand = 540;
constexpr int kLastColourGainCommand = 542;

constexpr ModelNumberLimits kLimits = kCommonNumberLimits;

// The controls only the RL family's pages show.
constexpr int kRlFamilyControls[] = {
    // per-colour exposure
    ctl::ETM, ctl::PER, ctl::PEG, ctl::PEB,
    // individual colour gains
    ctl::FGR, ctl::FGG, ctl::FGB,
    // colour transformation: mode, RGB mode, the nine matrix entries
    ctl::CTM, ctl::CTRM, ctl::CMVRR, ctl::CMVRG, ctl::CMVRB, ctl::CMVGR, ctl::CMVGG, ctl::CMVGB,
    ctl::CMVBR, ctl::CMVBG, ctl::CMVBB,
    // edge and colour enhancer
    ctl::EDGEN, ctl::EDGLV, ctl::COLEN, ctl::CEVALR, ctl::CEVALCY, ctl::CEVALG, ctl::CEVALMG,
    ctl::CEVALB, ctl::CEVALYL,
    // green and blue blemish tables
    ctl::BMTHWG, ctl::BMCLRG, ctl::BlemishIndexGreen, ctl::BMPXWG, ctl::BMPYWG,
    ctl::BlemishCountGreen, ctl::BMTHWB, ctl::BMCLRB, ctl::BlemishIndexBlue, ctl::BMPXWB,
    ctl::BMPYWB, ctl::BlemishCountBlue};

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
       {},
       kRlChoice,
       0,
       false,
       kLimits},
      {Model::Rl8200T,
       "RL-8200T-VLNK",
       ModelFamily::Rl,
       SensorColour::Colour,
       2064,
       1544,
       RlReadList(),
       Rl8200Lacking(),
       {},
       kRlChoice,
       1,
       false,
       kLimits},
      {Model::Qx70500M,
       "QX-70500M-VLNK",
       ModelFamily::Qx,
       SensorColour::Monochrome,
       4112,
       3008,
       QxReadList(),
       {},
       kRlFamilyControls,
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
       kRlFamilyControls,
       kQxColourChoice,
       0,
       true,
       kLimits},
      // Any other camera: every row is read and offered, with the largest geometry; its pages
      // hide the controls only the RL family has.
      {Model::Other,
       "",
       ModelFamily::Other,
       SensorColour::Unknown,
       4112,
       3008,
       {},
       {},
       kRlFamilyControls,
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

std::span<const int> ModelDependentControls() {
  return kRlFamilyControls;
}

bool ModelShowsControl(int modelCode, int ctrlId) {
  return !Contains(RecordForCode(modelCode).hiddenOnPages, ctrlId) &&
         ModelSupportsControl(modelCode, ctrlId);
}

bool ExcludedForMonochrome(int commandId) {
  return (commandId >= cmd::SQPGR1 && commandId <= cmd::SQPGB10) ||
         (commandId >= kFirstColourGainCommand && commandId <= kLastColourGainCommand);
}

}  // namespace vistrel
