#include <gtest/gtest.h>

#include <algorithm>

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

// The simulated camera describes the models on its own; model by model, it must answer every
// row the catalogue reads, none it leaves out, and take the ranges the catalogue gives.
TEST(ModelCatalogueTest, TheSimulatedCameraAgreesModelByModel) {
  for (const ModelRecord& record : KnownModelRecords()) {
    SCOPED_TRACE(record.name);
    const SimModel sim(record.name);
    CameraModel model;
    model.code = ModelCodeFor(record.name);
    EXPECT_EQ(model.Kind(), record.model);
    EXPECT_EQ(sim.Code(), model.code);
    EXPECT_EQ(sim.Width(), record.largestWidth);
    EXPECT_EQ(sim.Height(), record.largestHeight);
    EXPECT_EQ(sim.Colour(), model.IsColour());

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
