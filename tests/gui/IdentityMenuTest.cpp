// The identity windows and the motor lens window reached from the main dialog.

#include <QtCore/QTimer>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "GuiFixture.h"
#include "app/MainMenu.h"
#include "ui/ButtonDlg.h"

namespace vistrel::test {
namespace {

// Closes the modal window the next menu command opens, once it is up.
void CloseModalSoon(std::vector<QString>& titles) {
  QTimer::singleShot(0, [&titles] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      titles.push_back(modal->windowTitle());
      modal->close();
    }
  });
}

TEST(IdentityMenu, MenuItemsOpenTheirWindows) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  std::vector<QString> titles;
  for (int id : {menu::kAbout, menu::kEditUserId, menu::kEditCameraId}) {
    CloseModalSoon(titles);
    EXPECT_TRUE(dialog.RunMenuCommand(id));
  }
  EXPECT_EQ(titles, (std::vector<QString>{"About This Control", "User Id", "Camera Id"}));

  ASSERT_NE(dialog.MenuAction(menu::kMotorLens), nullptr);
  EXPECT_EQ(dialog.MenuAction(menu::kMotorLens)->text(), "Motor lens");
  dialog.MenuAction(menu::kMotorLens)->trigger();
  EXPECT_TRUE(dialog.MotorLens().isVisible());
  EXPECT_EQ(dialog.MotorLens().windowTitle(), "Motor Lens");
}

TEST(IdentityMenu, XmlWriteFollowsTheDigitsAndTheLink) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  auto field = [&dialog](int id) {
    return qobject_cast<QLineEdit*>(dialog.Registry().FindControl(id));
  };
  QWidget* write = dialog.Registry().FindControl(2602);
  ASSERT_NE(write, nullptr);
  EXPECT_FALSE(write->isEnabled()) << "empty fields";
  field(2598)->setText("1");
  field(2599)->setText("0");
  EXPECT_FALSE(write->isEnabled());
  field(2600)->setText("3");
  EXPECT_TRUE(write->isEnabled());
  program.notifier.SetOffline();
  EXPECT_FALSE(write->isEnabled());
  program.notifier.SetOnline();
  EXPECT_TRUE(write->isEnabled());
}

}  // namespace
}  // namespace vistrel::test
