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

// The number of records: every known model and the one for other cameras.
constexpr size_t kRecordCount = CodeOf(Model::Other) + 1;

const std::array<ModelRecord, kRecordCount>& Records() {
  static const std::array<ModelRecord, kRecordCount> records{{
      {.model = Model::Rl4100T,
       .name = "RL-4100T-VLNK",
       .family = ModelFamily::Rl,
       .colour = SensorColour::Colour,
       .largestWidth = 1456,
       .largestHeight = 1088,
       .readList = RlReadList(),
       .modelIdWritable = true,
       .blemishLimits = BlemishLimits{.maxX = 1455, .maxY = 1087}},
      {.model = Model::Rl8200T,
       .name = "RL-8200T-VLNK",
       .family = ModelFamily::Rl,
       .colour = SensorColour::Colour,
       .largestWidth = 2064,
       .largestHeight = 1544,
       .readList = RlReadList(),
       .lacking = Rl8200Lacking(),
       .modelIdWritable = true},
      {.model = Model::Qx70500M,
       .name = "QX-70500M-VLNK",
       .family = ModelFamily::Qx,
       .colour = SensorColour::Monochrome,
       .largestWidth = 4112,
       .largestHeight = 3008,
       .readList = QxReadList(),
       .hiddenOnPages = kRlFamilyControls,
       .clearSourcesBySignal = true},
      {.model = Model::Qx70500C,
       .name = "QX-70500C-VLNK",
       .family = ModelFamily::Qx,
       .colour = SensorColour::Colour,
       .largestWidth = 4112,
       .largestHeight = 3008,
       .readList = QxReadList(),
       .hiddenOnPages = kRlFamilyControls,
       .clearSourcesBySignal = true},
      // Any other camera: every row is read and offered, with the largest geometry; its pages
      // hide the controls only the RL family has.
      {.model = Model::Other,
       .name = "",
       .family = ModelFamily::Other,
       .colour = SensorColour::Unknown,
       .largestWidth = 4112,
       .largestHeight = 3008,
       .hiddenOnPages = kRlFamilyControls},
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
