#include "camera/models/ControlFacts.h"

#include <algorithm>
#include <initializer_list>

#include "camera/SequencerRules.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"

namespace vistrel {
namespace {

constexpr int kReadOnlyCommands[] = {cmd::VN,        cmd::MD,    cmd::ERRER, cmd::ATCS,  cmd::AWRS,
                                     cmd::ATCSAgain, cmd::SDRS,  cmd::BNUM,  cmd::BNUMR, cmd::BNUMG,
                                     cmd::BNUMB,     cmd::TMP0,  cmd::SQIDX, cmd::FPVN,  cmd::ALCST,
                                     cmd::FBNUM,     cmd::FBBNUM};

// The offsets of the main region: the vertical one even, the horizontal one in 16 columns.
constexpr int32_t kRowOffsetStep = 2;
constexpr int32_t kColumnOffsetStep = 16;

struct StepEntry {
  int ctrlId;
  int32_t step;
};

// The sequencer's widths and horizontal offsets are left out: their step follows its
// horizontal binning.
constexpr StepEntry kSteps[] = {
    {ctl::OFL, kRowOffsetStep},
    {ctl::OFC, kColumnOffsetStep},
    {ctl::SQH, kSequencerLineStep},
    {ctl::SQOY, kSequencerLineStep},
};

struct UnitEntry {
  std::initializer_list<int> ctrlIds;
  ControlUnit unit;
};

// Exposure times, geometry and gains of the pages and of the sequencer entry.
const UnitEntry kUnits[] = {
    {{ctl::PE, ctl::PER, ctl::PEG, ctl::PEB, ctl::ASCEA, ctl::ASCEI, ctl::SQPE, ctl::SQPER,
      ctl::SQPEG, ctl::SQPEB},
     {"µs", "1"}},
    {{ctl::OFC, ctl::WTC, ctl::SQW, ctl::SQOX}, {"pixels", "1"}},
    {{ctl::OFL, ctl::HTL, ctl::SQH, ctl::SQOY}, {"lines", "1"}},
    {{ctl::FGA, ctl::FGR, ctl::FGG, ctl::FGB, ctl::AGCGA, ctl::AGCGI, ctl::SQGA}, {"", "0.01"}},
};

}  // namespace

bool IsReadOnlyCommand(int commandId) {
  return std::ranges::find(kReadOnlyCommands, commandId) != std::end(kReadOnlyCommands);
}

std::optional<int32_t> FixedStep(int ctrlId) {
  for (const StepEntry& entry : kSteps) {
    if (entry.ctrlId == ctrlId)
      return entry.step;
  }
  return std::nullopt;
}

std::optional<ControlUnit> UnitOf(int ctrlId) {
  for (const UnitEntry& entry : kUnits) {
    if (std::ranges::find(entry.ctrlIds, ctrlId) != entry.ctrlIds.end())
      return entry.unit;
  }
  return std::nullopt;
}

}  // namespace vistrel
