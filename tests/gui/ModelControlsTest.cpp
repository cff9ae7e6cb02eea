#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "camera/CameraFixture.h"
#include "camera/CameraModel.h"
#include "camera/ReadAll.h"
#include "core/CommandTable.h"
#include "params/ModelControls.h"

namespace vistrel::test {
namespace {

// Each model's camera answers the commands of every control offered for it and refuses the
// commands of every control held back.
TEST(ModelControls, OfferedControlsAreAnsweredAndHeldBackOnesRefusedForEveryModel) {
  for (const char* name : {"RL-4100T-VLNK", "RL-8200T-VLNK", "QX-70500M-VLNK", "QX-70500C-VLNK"}) {
    SCOPED_TRACE(name);
    CameraFixture camera(name);
    ASSERT_TRUE(camera.session.CheckModelAgain());
    camera.session.SetFactoryMode(true);
    const std::vector<int> lacking =
        ControlsLackingForModel(camera.table, camera.session.Model().code);
    const std::set<int> held(lacking.begin(), lacking.end());
    int answered = 0;
    for (int i = 0; i < camera.table.RowCount(); ++i) {
      const ParameterEntry& row = camera.table.Row(i);
      if (CommandTable::Name(row.commandId).empty())
        continue;
      int32_t value = 0;
      if (held.contains(row.ctrlId)) {
        EXPECT_FALSE(camera.engine.GetValue(row.commandId, value, 500)) << row.ctrlId;
      } else if (IsRowReadForModel(camera.session, i)) {
        EXPECT_TRUE(camera.engine.GetValue(row.commandId, value, 500)) << row.ctrlId;
        ++answered;
      }
    }
    EXPECT_GT(answered, 150);
  }
  // The multi-ROI switch goes with the mode it switches on the model without multi-ROI.
  CameraFixture rl("RL-8200T-VLNK");
  ASSERT_TRUE(rl.session.CheckModelAgain());
  const std::vector<int> lacking = ControlsLackingForModel(rl.table, rl.session.Model().code);
  EXPECT_NE(std::ranges::find(lacking, 2860), lacking.end());
  EXPECT_NE(std::ranges::find(lacking, 5117), lacking.end());
  // A camera of another model reads every row and lacks nothing.
  EXPECT_TRUE(ControlsLackingForModel(rl.table, CameraModel::kUnsupported).empty());
}

}  // namespace
}  // namespace vistrel::test
