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
    ASSERT_TRUE(CheckModel(camera.engine, camera.presenter, camera.session.model));
    camera.session.factoryMode = true;
    const std::vector<int> lacking =
        ControlsLackingForModel(camera.table, camera.session.model.code);
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
  ASSERT_TRUE(CheckModel(rl.engine, rl.presenter, rl.session.model));
  const std::vector<int> lacking = ControlsLackingForModel(rl.table, rl.session.model.code);
  EXPECT_NE(std::ranges::find(lacking, 2860), lacking.end());
  EXPECT_NE(std::ranges::find(lacking, 5117), lacking.end());
  // A camera of another model reads every row and lacks nothing.
  EXPECT_TRUE(ControlsLackingForModel(rl.table, CameraModel::kUnsupported).empty());
}

TEST(ModelControls, NamelessCommandsButNotTheBlemishIndexFields) {
  RecordingPresenter presenter;
  ParameterTable table(presenter);
  const std::vector<NamelessControl> nameless = ControlsWithoutCommand(table);
  auto has = [&nameless](int ctrlId) {
    return std::ranges::any_of(nameless,
                               [ctrlId](const NamelessControl& c) { return c.ctrlId == ctrlId; });
  };
  for (int ctrlId : {1648, 2550, 1452, 1457, 1461, 1465, 2554, 2556, 2560, 2562, 2759,
                     2764, 2765, 2766, 2865, 2866, 2867, 2868, 1520, 1522, 2559, 2564})
    EXPECT_TRUE(has(ctrlId)) << ctrlId;
  for (int ctrlId : {1417, 1423, 1456, 1338, 2767, 5117})
    EXPECT_FALSE(has(ctrlId)) << ctrlId;
  for (const NamelessControl& control : nameless)
    EXPECT_TRUE(CommandTable::Name(control.commandId).empty()) << control.ctrlId;
}

}  // namespace
}  // namespace vistrel::test
