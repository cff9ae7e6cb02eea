// The one-shot adjustment's progress window: Cancel ends the run between two polls, and the
// camera's run is stopped with the mode's off setting; so does the end of the program.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <csignal>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/StopSignalNotifier.h"
#include "camera/AutoAdjust.h"
#include "core/Command.h"
#include "core/ControlIds.h"
#include "support/Recorders.h"
#include "support/SimChannel.h"
#include "ui/AdjustProgressDialog.h"
#include "ui/ButtonDlg.h"

namespace vistrel::test {
namespace {

TEST(AdjustProgressDialog, CancelEndsTheRunAndStopsTheCamera) {
  SimConfig config;
  config.adjustTime = std::chrono::milliseconds(60000);
  SimChannel channel(config);
  RecordingPresenter presenter;
  Command engine(channel, presenter);
  CAdjustProgressDialog dialog;
  PollLimits limits;
  limits.intervalMs = 40;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (dialog.StatusText().contains("Busy"))
      dialog.CancelButton()->click();
  });
  clicker.start(30);
  const AutoRunResult result = RunAutoOnce(engine, AutoKind::Gain, limits, dialog);
  EXPECT_EQ(result.end, RunEnd::Cancelled);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(channel.Lines().back(), "AGC=0");
  EXPECT_EQ(dialog.windowTitle(), "Gain Auto Once");
  EXPECT_TRUE(dialog.ElapsedText().startsWith("Elapsed: "));
}

TEST(AdjustProgressDialog, SigtermDuringARunStopsItAndClosesTheProgram) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  CStopSignalNotifier stopSignals;
  QObject::connect(&stopSignals, &CStopSignalNotifier::received, &dialog,
                   [&dialog] { dialog.ShutDown(); });
  QTimer sender;
  QObject::connect(&sender, &QTimer::timeout, [&] {
    if (qobject_cast<CAdjustProgressDialog*>(QApplication::activeModalWidget()) != nullptr) {
      sender.stop();
      ::raise(SIGTERM);
    }
  });
  sender.start(20);
  Pick(Control<QComboBox>(dialog, ctl::ASC), 2);
  const std::vector<std::string> sent = program.SentSettings();
  ASSERT_NE(std::find(sent.begin(), sent.end(), "ASC=2"), sent.end());
  EXPECT_NE(std::find(std::find(sent.begin(), sent.end(), "ASC=2"), sent.end(), "ASC=0"),
            sent.end());
  EXPECT_EQ(program.CameraValue("ASC"), 0);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(program.messages.questions.empty());
}

// A lens button held when the program ends: the stop reaches the camera before the channel
// closes.
TEST(AdjustProgressDialog, ALensHeldWhenTheProgramEndsIsStopped) {
  TestProgram program;
  program.Start().Identity().MotorLens().Press(3);  // Zoom Tele
  ASSERT_EQ(program.CameraValue("MLZ"), 2);
  program.dialog.reset();
  EXPECT_EQ(program.CameraValue("MLZ"), 0);
}

}  // namespace
}  // namespace vistrel::test
