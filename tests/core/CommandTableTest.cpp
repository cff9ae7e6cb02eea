#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/CommandTable.h"

namespace vistrel {
namespace {

// A row out of place would bind a name to another command's id.
TEST(CommandTableTest, EveryEntrySitsAtItsId) {
  for (int id = 0; id < CommandTable::kCount; ++id)
    EXPECT_EQ(CommandTable::Entry(id).id, id);
}

TEST(CommandTableTest, NamesAreUniqueExceptTheTwoKnownDuplicates) {
  std::set<std::string> seen;
  std::set<std::string> duplicates;
  for (int id = 0; id < CommandTable::kCount; ++id) {
    const std::string name(CommandTable::Name(id));
    if (!name.empty() && !seen.insert(name).second)
      duplicates.insert(name);
  }
  EXPECT_EQ(duplicates, (std::set<std::string>{"ATCS", "SQLUT"}));
}

TEST(CommandTableTest, LookupEdges) {
  EXPECT_EQ(CommandTable::FindByName("ti"), -1);  // names are matched case-sensitively
  EXPECT_EQ(CommandTable::FindByName(""), -1);    // an empty name is not a command
  EXPECT_EQ(CommandTable::FindByName("NOSUCH"), -1);
  EXPECT_EQ(CommandTable::Name(-1), "");
  EXPECT_EQ(CommandTable::Name(CommandTable::kCount), "");
  EXPECT_EQ(CommandTable::Entry(CommandTable::kCount).name, std::string());
}

}  // namespace
}  // namespace vistrel
