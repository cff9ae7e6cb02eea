// The desktop program when the camera's device goes away and comes back.
#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <algorithm>

#include "GuiFixture.h"
#include "app/PortWatch.h"
#include "app/UpDown.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "ui/CommunicationDialog.h"
#include "ui_CommunicationDialog.h"

namespace vistrel::test {
namespace {

constexpr int kReplugLimitMs = 1500;  // about a second, with room for a busy machine
constexpr int kPumpMs = 20;
constexpr int kReadLimitMs = 10000;  // a whole read, with room for a busy machine
constexpr int kQueryMs = 200;        // the query left half answered

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

PortWatch* FindPortWatch(QWidget& window) {
  for (QObject* child : window.findChildren<QObject*>()) {
    if (auto* watch = dynamic_cast<PortWatch*>(child))
      return watch;
  }
  return nullptr;
}

TEST(Replug, TheLinkGoesOfflineWhenTheDeviceGoesAndGreenWhenItComesBack) {
  TempFolder folder;
  Program program(folder.Path(), SimFault::None, folder / "camera");
  CVistrelDlg& dialog = program.Start();
  ASSERT_TRUE(program.notifier.IsOnline());
  auto* gain = qobject_cast<QLineEdit*>(dialog.Registry().FindControl(ctl::FGA));
  ASSERT_NE(gain, nullptr);

  program.server.Stop();  // unplugged: the pseudo-terminal and its link go away
  EXPECT_TRUE(WaitForLink(program, false)) << "offline without any action";
  EXPECT_EQ(program.dialog->Tools().Communication().Controls().c1155->text(), "Offline");
  // The watch's looks while the device is gone find nothing to reopen and say nothing.
  PortWatch* watch = FindPortWatch(dialog);
  ASSERT_NE(watch, nullptr);
  for (int look = 0; look < 3; ++look) {
    watch->WatchPort();
    watch->ProbeWhileOffline();
  }
  EXPECT_FALSE(program.notifier.IsOnline());
  EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;

  program.camera->Exchange("FGA=" + std::to_string(gain->text().toInt() + 3) + "\r\n");
  std::string error;
  ASSERT_TRUE(program.server.Start(&error)) << error;  // plugged in again: a new device
  EXPECT_TRUE(WaitForLink(program, true)) << "reopened and green without any action";
  EXPECT_TRUE(dialog.ChannelOk());
  EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;
  EXPECT_EQ(gain->text().toInt(), program.CameraValue("FGA"));  // every setting read again
}

size_t CountSent(const Program& program, size_t from, const std::string& part) {
  const std::vector<std::string> sent = program.Sent(from);
  return static_cast<size_t>(std::ranges::count_if(
      sent, [&part](const std::string& line) { return line.find(part) != std::string::npos; }));
}

TEST(Replug, NothingIsKeptAsSentWhileTheCameraIsSilentAndItsReturnIsNoticed) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  auto* gain = qobject_cast<QLineEdit*>(dialog.Registry().FindControl(ctl::FGA));
  ASSERT_NE(gain, nullptr);
  const QString confirmed = gain->text();
  SimFaults faults;
  faults.fault = SimFault::NoReply;
  program.server.SetFaults(faults);  // powered off
  program.notifier.SetOffline();

  size_t before = program.wire.lines.size();
  gain->setText(QString::number(confirmed.toInt() + 7));
  emit gain->editingFinished();
  EXPECT_EQ(gain->text(), confirmed);
  EXPECT_EQ(CountSent(program, before, "FGA="), 0U);
  EXPECT_FALSE(dialog.Status().Note().isEmpty());
  EXPECT_TRUE(std::ranges::any_of(program.wire.lines, [](const std::string& line) {
    return line.starts_with("Not sent (FGA)");
  }));
  EXPECT_TRUE(dialog.Status().PagesMark().startsWith("Offline: last-read values, read at "));
  before = program.wire.lines.size();
  qobject_cast<CUpDown*>(dialog.Registry().FindControl(ctl::SequencerIndexSpin))->PressArrow(1);
  EXPECT_EQ(CountSent(program, before, ""), 0U);

  // Powered on again, with a partial reply of the last query still in the receive path.
  faults.fault = SimFault::NoLineEnd;
  program.server.SetFaults(faults);
  int32_t ignored = 0;
  EXPECT_NE(program.engine.GetValue(cmd::FGA, ignored, kQueryMs), Outcome::Done);
  program.camera->Exchange("FGA=" + std::to_string(confirmed.toInt() + 2) + "\r\n");
  program.server.SetFaults({});
  dialog.Watch().SetProbeInterval(kPumpMs);
  EXPECT_TRUE(WaitForLink(program, true)) << "back online without any action";
  EXPECT_EQ(gain->text().toInt(), program.CameraValue("FGA"));
  EXPECT_EQ(dialog.Status().PagesMark(), "");
  EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;

  // Offline again while the camera answers: the change brings the link back and then goes.
  program.notifier.SetOffline();
  before = program.wire.lines.size();
  gain->setText(QString::number(confirmed.toInt() + 5));
  emit gain->editingFinished();
  EXPECT_TRUE(program.notifier.IsOnline());
  EXPECT_EQ(CountSent(program, before, "FGA=" + std::to_string(confirmed.toInt() + 5)), 1U);
  EXPECT_EQ(program.CameraValue("FGA"), confirmed.toInt() + 5);
}

// A camera silent at the start, or answering too late for the model check, gets no setting
// and the pages say they do not hold its values; once the link is up, every value is read.
TEST(Replug, ACameraNotReadAtTheStartGetsNothingWrittenAndIsReadOnceItAnswers) {
  for (const int lateMs : {0, 1500}) {  // silent, late
    SCOPED_TRACE(lateMs);
    TestProgram program;
    program.server.SetFaults(
        {lateMs > 0 ? SimFault::LateReply : SimFault::NoReply, lateMs, "", 0, ""});
    CVistrelDlg& dialog = program.Start();
    EXPECT_EQ(program.SentSettings(), std::vector<std::string>{});
    EXPECT_TRUE(dialog.Status().Values().startsWith("Values not read yet"));
    EXPECT_EQ(dialog.Status().PagesMark(), "Offline: values not read from the camera");
    QWidget* exposure = dialog.Registry().FindControl(ctl::PE);
    EXPECT_TRUE(dialog.Registry().MarkedUnread(ctl::PE));
    EXPECT_TRUE(exposure->toolTip().startsWith("not read from the camera\n"));

    program.server.SetFaults({});
    int32_t ignored = 0;
    ASSERT_EQ(program.engine.GetValue(cmd::FGA, ignored, kReadLimitMs),
              Outcome::Done);  // up, not read
    dialog.Watch().SetProbeInterval(kPumpMs);
    QElapsedTimer waited;
    waited.start();
    while (!program.session.ValuesReadSinceStart() && waited.elapsed() < kReadLimitMs)
      Pump(kPumpMs);
    EXPECT_EQ(dialog.Status().Values(), "");
    EXPECT_FALSE(exposure->toolTip().contains("not read"));
    EXPECT_EQ(program.SentSettings(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace vistrel::test
