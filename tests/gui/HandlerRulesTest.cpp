#include <gtest/gtest.h>

#include "app/AccessCode.h"
#include "camera/models/NumberRanges.h"
#include "core/ParameterTable.h"
#include "params/PageLists.h"
#include "support/Recorders.h"
#include "ui/QtMessagePresenter.h"

namespace vistrel::test {
namespace {

struct Range {
  int32_t minimum;
  int32_t maximum;
  bool operator==(const Range&) const = default;
};

class NumberRangeRules : public ::testing::Test {
 protected:
  std::optional<Range> For(int ctrlId, const RangeInputs& inputs) {
    const ParameterEntry& row = table_.Row(table_.CtrlId2TblIndex(ctrlId));
    Range range{};
    if (!NumberRangeFor(row, inputs, range.minimum, range.maximum))
      return std::nullopt;
    return range;
  }
  RecordingPresenter messages_;
  ParameterTable table_{messages_};
};

TEST_F(NumberRangeRules, BinningHalvesTheRegionRanges) {
  RangeInputs plain;
  EXPECT_EQ(For(2512, plain), (Range{96, 4112}));  // WTC
  EXPECT_EQ(For(1359, plain), (Range{8, 3008}));   // HTL
  EXPECT_EQ(For(1357, plain), (Range{0, 3000}));   // OFL
  RangeInputs binned;
  binned.hb = 2;
  binned.vb = 2;
  EXPECT_EQ(For(2512, binned), (Range{48, 2056}));
  EXPECT_EQ(For(1359, binned), (Range{8, 1504}));
  EXPECT_EQ(For(1357, binned), (Range{0, 1496}));
  // The sequencer fields follow their own binning choices.
  EXPECT_EQ(For(2773, binned), (Range{96, 4112}));  // SQW
  binned.sqhb = 2;
  EXPECT_EQ(For(2773, binned), (Range{48, 2056}));
}

TEST_F(NumberRangeRules, GainAndExposureRangesFollowTheModes) {
  RangeInputs inputs;
  EXPECT_EQ(For(2790, inputs), (Range{44, 562}));  // SQGR
  inputs.igm = 1;
  EXPECT_EQ(For(2790, inputs), (Range{100, 6400}));
  inputs.rlFamily = true;
  inputs.sqvb = 2;
  EXPECT_EQ(For(2783, inputs), (Range{3, 8000000}));  // SQPE
  inputs.rlFamily = false;
  EXPECT_EQ(For(2783, inputs), (Range{1, 8000000}));
  // Rows whose page gives the range keep it.
  EXPECT_EQ(For(2627, inputs), std::nullopt);  // CMVRR
  EXPECT_EQ(For(2318, inputs), (Range{0, 255}));
}

TEST(SignalCodes, EverySpellingOfASignalHasItsCode) {
  EXPECT_EQ(SignalCode("Software"), 2);
  EXPECT_EQ(SignalCode("Fval"), 8);
  EXPECT_EQ(SignalCode("FVAL"), 8);
  EXPECT_EQ(SignalCode("Line5-OptIn1"), 21);
  EXPECT_EQ(SignalCode("Line5_OptIn1"), 21);
  EXPECT_EQ(SignalCode("Line7"), 23);
  EXPECT_EQ(SignalCode("Nand1_Out"), 27);
  EXPECT_EQ(SignalCode("PulseGenerator3"), 13);
  EXPECT_EQ(SignalCode("Rising edge"), -1);
}

TEST(FileFilters, PipeListsBecomeQtFilters) {
  EXPECT_EQ(QtMessagePresenter::QtFilter("CSV file (*.csv) | *.csv"), "CSV file (*.csv)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("txt file (*.txt) | *.txt||"), "txt file (*.txt)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("All Files(*.*)|*.*|"), "All Files(*.*)");
  EXPECT_EQ(QtMessagePresenter::QtFilter("Setting|*.cam|Any|*.*|"), "Setting (*.cam);;Any (*.*)");
}

TEST(AccessCodeSequence, NeedsShiftCtrlF12AndTheThreeLetters) {
  AccessCode code;
  const auto letters = AccessCode::Letters();
  using R = AccessCode::Result;
  EXPECT_EQ(code.Press(letters[0], false, false), R::Ignored);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, false), R::Ignored);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, true), R::Armed);
  EXPECT_EQ(code.Press(letters[0], false, false), R::Advanced);
  EXPECT_EQ(code.Press(AccessCode::kF12, true, true), R::Armed);  // starts again
  EXPECT_EQ(code.Press(letters[0], false, false), R::Advanced);
  EXPECT_EQ(code.Press(letters[1], false, false), R::Advanced);
  EXPECT_EQ(code.Press(letters[2], false, false), R::Completed);
  EXPECT_FALSE(code.Armed());
  EXPECT_EQ(code.Press(letters[0], false, false), R::Ignored);
}

}  // namespace
}  // namespace vistrel::test
