#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "camera/CameraModel.h"
#include "camera/models/ModelCatalogue.h"
#include "camera/models/NumberRanges.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"
#include "sim/SimModel.h"

namespace vistrel {
namespace {

const ParameterEntry& RowOf(const std::string& name) {
  const int id = CommandTable::FindByName(name);
  const auto& rows = InitialParameterRows();
  return *std::ranges::find_if(rows,
                               [id](const ParameterEntry& row) { return row.commandId == id; });
}

SimFamily SimFamilyOf(ModelFamily family) {
  switch (family) {
    case ModelFamily::Rl:
      return SimFamily::Rl;
    case ModelFamily::Qx:
      return SimFamily::Qx;
    case ModelFamily::Other:
      break;
  }
  return SimFamily::Other;
}

// The simulated camera and the catalogue describe the same models, neither one more.
TEST(ModelCatalogueTest, TheSimulatedCameraKnowsTheSameModels) {
  std::vector<std::string> catalogue = KnownModelNames();
  std::vector<std::string> simulated;
  for (const SimModelEntry& entry : SimModels())
    simulated.emplace_back(entry.name);
  std::ranges::sort(catalogue);
  std::ranges::sort(simulated);
  EXPECT_EQ(catalogue, simulated);
}

// The simulated camera describes the models on its own; model by model (and for any other
// camera), it must answer every row the catalogue reads, none it leaves out, and take the
// geometry, limits and ranges the catalogue gives.
TEST(ModelCatalogueTest, TheSimulatedCameraAgreesModelByModel) {
  const ParameterEntry& blemishX = RowOf("BMPXW");
  const ParameterEntry& blemishY = RowOf("BMPYW");
  std::vector<ModelRecord> records(KnownModelRecords().begin(), KnownModelRecords().end());
  records.push_back(RecordOf(Model::Other));
  for (const ModelRecord& record : records) {
    SCOPED_TRACE(record.name);
    const SimModel sim(record.model == Model::Other ? "ANOTHER-CAMERA" : record.name);
    CameraModel model;
    model.code = CodeOf(record.model);
    EXPECT_EQ(&model.Record(), &RecordOf(record.model)) << "the record of a code is its model's";
    EXPECT_EQ(model.code, ModelCodeFor(sim.Name()));
    EXPECT_EQ(sim.Family(), SimFamilyOf(record.family));
    EXPECT_EQ(sim.Width(), record.largestWidth);
    EXPECT_EQ(sim.Height(), record.largestHeight);
    EXPECT_EQ(!sim.Colour(), model.IsMonochrome());
    EXPECT_EQ(sim.BlemishMaxX(),
              record.blemishLimits ? record.blemishLimits->maxX : blemishX.maximum);
    EXPECT_EQ(sim.BlemishMaxY(),
              record.blemishLimits ? record.blemishLimits->maxY : blemishY.maximum);

    int answered = 0;
    for (const ParameterEntry& row : InitialParameterRows()) {
      if (CommandTable::Name(row.commandId).empty())
        continue;
      const bool listed = std::ranges::find(record.readList, row.ctrlId) != record.readList.end();
      const bool read = ModelSupportsControl(model.code, row.ctrlId) &&
                        !(model.IsMonochrome() && ExcludedForMonochrome(row.commandId));
      if (read) {
        EXPECT_TRUE(sim.Spec(row.commandId).supported) << CommandTable::Name(row.commandId);
        ++answered;
      } else if (listed) {
        EXPECT_FALSE(sim.Spec(row.commandId).supported) << CommandTable::Name(row.commandId);
      }
    }
    EXPECT_GT(answered, 0);

    const RangeInputs inputs = ModelRangeInputs(model);
    for (const char* name : {"WTC", "HTL", "SQGR", "SQGB"}) {
      int32_t minimum = 0;
      int32_t maximum = 0;
      ASSERT_TRUE(NumberRangeFor(RowOf(name), inputs, minimum, maximum)) << name;
      const SimCommandSpec& spec = sim.Spec(CommandTable::FindByName(name));
      EXPECT_EQ(spec.minimum, minimum) << name;
      EXPECT_EQ(spec.maximum, maximum) << name;
    }
  }
}

}  // namespace
}  // namespace vistrel
