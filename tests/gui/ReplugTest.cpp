// The desktop program when the camera's device goes away and comes back.
#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QLabel>

#include "GuiFixture.h"
#include "ui/CommunicationDialog.h"
#include "ui_CommunicationDialog.h"

namespace vistrel {
namespace {

using test::Program;
using test::Pump;
using test::TempFolder;

constexpr int kReplugLimitMs = 1500;  // about a second, with room for a busy machine
constexpr int kPumpMs = 20;

// Lets the program run until the link is `online` or the limit passes; true when it is.
bool WaitForLink(Program& program, bool online) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kReplugLimitMs) {
    if (program.notifier.IsOnline() == online)
      return true;
    Pump(kPumpMs);
  }
  return program.notifier.IsOnline() == online;
}

TEST(Replug, TheLinkGoesOfflineWhenTheDeviceGoesAndGreenWhenItComesBack) {
  TempFolder folder;
  Program program(folder.Path(), SimFault::None, folder / "camera");
  CVistrelDlg& dialog = program.Start();
  ASSERT_TRUE(program.notifier.IsOnline());

  program.server.Stop();  // unplugged: the pseudo-terminal and its link go away
  EXPECT_TRUE(WaitForLink(program, false)) << "offline without any action";
  EXPECT_EQ(program.dialog->Communication().Controls().c1155->text(), "Offline");
  Pump(300);  // nothing to reopen meanwhile, and nothing said

  std::string error;
  ASSERT_TRUE(program.server.Start(&error)) << error;  // plugged in again: a new device
  EXPECT_TRUE(WaitForLink(program, true)) << "reopened and green without any action";
  EXPECT_TRUE(dialog.ChannelOk());
  EXPECT_EQ(static_cast<QLabel*>(dialog.LinkIndicator())->pixmap().toImage(),
            OnlineStatusNotifier::Bitmap(true).toImage());
  EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;
}

}  // namespace
}  // namespace vistrel
