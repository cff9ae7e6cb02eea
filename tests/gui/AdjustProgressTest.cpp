// The one-shot adjustment's progress window: Cancel ends the run between two polls, and the
// camera's run is stopped with the mode's off setting.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QPushButton>

#include "camera/AutoAdjust.h"
#include "core/Command.h"
#include "support/Recorders.h"
#include "support/SimChannel.h"
#include "ui/AdjustProgressDialog.h"

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
  // Cancel once a few polls have been shown.
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (dialog.StatusText().contains("Busy"))
      dialog.CancelButton()->click();
  });
  clicker.start(30);
  const AutoRunResult result = RunAutoOnce(engine, AutoKind::Gain, limits, dialog);
  EXPECT_EQ(result.end, RunEnd::Cancelled);
  EXPECT_TRUE(dialog.Cancelled());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(channel.Lines().front(), "AGC=2");
  EXPECT_EQ(channel.Lines().back(), "AGC=0");
  EXPECT_EQ(dialog.windowTitle(), "Gain Auto Once");
  EXPECT_TRUE(dialog.ElapsedText().startsWith("Elapsed: "));
  EXPECT_EQ(channel.peer.With([](SimCamera& c) { return *c.Value("AGC"); }), 0);
}

}  // namespace
}  // namespace vistrel::test
