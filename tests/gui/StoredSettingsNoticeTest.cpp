#include <QtWidgets/QMenu>
#include <filesystem>
#include <fstream>

#include "GuiFixture.h"

namespace vistrel::test {
namespace {

// A typo in settings.ini costs only its own line, and the operator is told where the file as
// it was went.
TEST(StoredSettingsNotice, ADamagedFileIsReportedOnceAndItsGoodValuesStay) {
  TempFolder folder;
  std::ofstream(folder / "settings.ini") << "Control Mode=number:1\nBaudrate=numbr:9600\n";
  Program program(folder.Path());
  CVistrelDlg& dialog = program.Start();

  ASSERT_TRUE(program.settings.KeptAsideCopy().has_value());
  const std::string copy = *program.settings.KeptAsideCopy();
  EXPECT_TRUE(std::filesystem::exists(copy));
  ASSERT_EQ(program.messages.messages.size(), 1u);
  EXPECT_NE(program.messages.messages[0].text.find(copy), std::string::npos);
  EXPECT_EQ(program.messages.messages[0].icon, MessageIcon::Exclamation);
  // The stored factory control mode survived the damage.
  EXPECT_TRUE(dialog.UtilityMenu()->menuAction()->isEnabled());
}

}  // namespace
}  // namespace vistrel::test
