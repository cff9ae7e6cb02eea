// What the operator did not mean is never sent (the wheel, the reset button, values outside
// the range), and what the pages show is known to be the camera's.
#include <QtCore/QTimer>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabWidget>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/MainMenu.h"
#include "app/UpDown.h"
#include "camera/ReadAll.h"
#include "core/ControlIds.h"
#include "ui/ProgressBarDialog.h"

namespace vistrel::test {
namespace {

void Wheel(QWidget* target, int delta) {
  const QPointF inside(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent event(inside, target->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

class OperatorGuards : public StartedProgram<1> {};

TEST_F(OperatorGuards, TheWheelOverAnUnfocusedControlScrollsThePageAndSendsNothing) {
  dialog.resize(dialog.width(), 400);  // every page scrolls
  auto* tabs = dialog.findChild<QTabWidget*>("c1244");
  ASSERT_NE(tabs, nullptr);
  const size_t before = program.wire.lines.size();
  int scrolled = 0;
  int wheeled = 0;
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    QScrollBar* bar = tabs->currentWidget()->findChild<QScrollArea*>()->verticalScrollBar();
    for (QWidget* control : tabs->currentWidget()->findChildren<QWidget*>()) {
      if (ControlRegistry::IdOf(control) == 0 || !control->isVisible() || !control->isEnabled())
        continue;
      bar->setValue(bar->maximum() / 2);
      const int position = bar->value();
      for (int delta : {-120, 120, 120}) {
        Wheel(control, delta);
        ++wheeled;
      }
      scrolled += bar->value() != position ? 1 : 0;
    }
  }
  Pump(50);
  EXPECT_GT(wheeled, 300);
  EXPECT_GT(scrolled, 0);
  EXPECT_EQ(program.Sent(before), std::vector<std::string>{});

  // A focused choice list still takes the wheel.
  tabs->setCurrentIndex(0);
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* choice = Control<QComboBox>(dialog, ctl::HB);
  ASSERT_NE(choice, nullptr);
  choice->setFocus();
  const int index = choice->currentIndex();
  Wheel(choice, index + 1 < choice->count() ? -120 : 120);
  EXPECT_NE(choice->currentIndex(), index);
  EXPECT_FALSE(program.Sent(before).empty());
}

TEST_F(OperatorGuards, CameraResetAsksAndOnlyAYesResetsAndCloses) {
  auto* reset = Control<QPushButton>(dialog, ctl::CameraReset);
  ASSERT_NE(reset, nullptr);
  const size_t before = program.wire.lines.size();
  program.messages.answers = {false};
  reset->click();
  EXPECT_EQ(program.messages.questions.size(), 1U);
  EXPECT_EQ(program.Sent(before), std::vector<std::string>{});
  EXPECT_TRUE(dialog.isVisible());

  program.messages.answers = {true};
  reset->click();
  EXPECT_EQ(program.messages.questions.size(), 2U);  // no exit question after the reset
  EXPECT_EQ(program.SentSettings().back(), "CRS00=1");
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(OperatorGuards, ATypedValueOutsideTheRangeIsRefusedWithTheRangeShown) {
  struct Case {
    int editId;
    const char* unit;
  };
  for (const Case& c : {Case{ctl::WTC, "pixels"}, Case{ctl::FGA, "0.01"}}) {
    auto* field = Control<QLineEdit>(dialog, c.editId);
    ASSERT_NE(field, nullptr);
    int32_t minimum = 0;
    int32_t maximum = 0;
    ASSERT_TRUE(
        dialog.Registry().SpinRange(dialog.Registry().SpinOfEdit(c.editId), minimum, maximum));
    const std::string range = std::to_string(minimum) + " to " + std::to_string(maximum);
    const std::string tip = field->toolTip().toStdString();
    EXPECT_NE(tip.find(range), std::string::npos) << tip;
    EXPECT_NE(tip.find(c.unit), std::string::npos) << tip;

    const QString shown = field->text();
    const size_t before = program.wire.lines.size();
    program.messages.messages.clear();
    field->setText(QString::number(maximum + 1));
    emit field->editingFinished();
    EXPECT_EQ(field->text(), shown);
    EXPECT_EQ(program.Sent(before), std::vector<std::string>{});
    ASSERT_EQ(program.messages.messages.size(), 1U);
    EXPECT_NE(program.messages.messages[0].text.find(range), std::string::npos);
  }
}

TEST_F(OperatorGuards, ARefusedEditGoesBackToTheCameraValueAfterAskingAgain) {
  auto* gain = Control<QLineEdit>(dialog, ctl::FGA);
  const QString confirmed = gain->text();
  SimFaults faults;
  faults.fault = SimFault::Garbage;
  faults.onlyCommand = "FGA";
  program.server.SetFaults(faults);
  const size_t before = program.wire.lines.size();
  gain->setText(QString::number(confirmed.toInt() + 3));
  emit gain->editingFinished();
  EXPECT_EQ(program.Sent(before).back(), "FGA?");
  EXPECT_EQ(gain->text(), confirmed);
  EXPECT_EQ(program.table.GetLastSentValue(ctl::FGA), confirmed.toInt());
  EXPECT_FALSE(program.messages.messages.empty());
}

// A code no entry carries shows as an empty selection that says so, and is never sent.
TEST_F(OperatorGuards, AChoiceShowsACameraCodeItDoesNotListAsNoEntry) {
  auto* signal = Control<QComboBox>(dialog, ctl::TI);
  dialog.Registry().ShowParameter(ctl::TI, 3);
  EXPECT_EQ(signal->currentIndex(), -1);
  EXPECT_TRUE(signal->toolTip().startsWith("camera value 3 is not a choice here\n"));
  EXPECT_EQ(program.wire.lines.back(), "TI: camera value 3 is not a choice here");
  const size_t before = program.wire.lines.size();
  emit signal->activated(-1);
  EXPECT_EQ(program.Sent(before), std::vector<std::string>{});
  dialog.Registry().ShowParameter(ctl::TI, signal->itemData(1, Qt::UserRole).toInt());
  EXPECT_EQ(signal->toolTip().indexOf("not a choice"), -1);
}

TEST_F(OperatorGuards, ACancelledReloadIsReportedMarkedAndLeavesSaveRefused) {
  CProgressBarDialog& progress = dialog.Tools().Progress();
  bool liveWhileReading = false;
  QTimer escape;
  QObject::connect(&escape, &QTimer::timeout, [&] {
    if (!progress.isVisible() || progress.UpdateCount() < 5 || progress.Cancelled())
      return;
    liveWhileReading = progress.isEnabled() && progress.CancelButton()->isVisible();
    QTest::keyClick(&progress, Qt::Key_Escape);
  });
  escape.start(0);
  program.messages.messages.clear();
  dialog.ReloadCamera();
  escape.stop();

  EXPECT_TRUE(liveWhileReading);
  const ReadAllResult& pass = program.session.LastRead();
  ASSERT_TRUE(pass.cancelled);
  ASSERT_FALSE(pass.unread.empty());
  ASSERT_EQ(program.messages.messages.size(), 1U);
  const auto& message = program.messages.messages[0];
  EXPECT_EQ(message.caption, MainStatusBar::kReadCancelledTitle);
  const QWidget* first = dialog.Registry().FindControl(program.table.Row(pass.unread[0]).ctrlId);
  ASSERT_NE(first, nullptr);
  for (const std::string& part : {"cancelled: " + std::to_string(pass.unread.size()) + " of ",
                                  "Not read: " + first->accessibleName().toStdString() + ", "})
    EXPECT_NE(message.text.find(part), std::string::npos) << part << " in " << message.text;
  const int unreadId = program.table.Row(pass.unread.back()).ctrlId;
  const int readId = program.table.Row(pass.read.front()).ctrlId;
  EXPECT_TRUE(dialog.Registry().MarkedUnread(unreadId));
  EXPECT_FALSE(dialog.Registry().MarkedUnread(readId));

  const std::string path = program.folder.Path() + "/cancelled.cam";
  program.messages.files = {path};
  dialog.Menu().Run(menu::kSaveAllData);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(program.messages.messages.back().caption, "Save Error");

  dialog.ReloadCamera();
  EXPECT_TRUE(program.session.LastRead().Complete());
  EXPECT_FALSE(dialog.Registry().MarkedUnread(unreadId));
}

// On the simulated camera's device, as under --simulate.
TEST_F(OperatorGuards, TheStatusBarShowsTheChannelInUse) {
  const QString model = QString::fromStdString(program.session.Model().name);
  ASSERT_FALSE(model.isEmpty());
  EXPECT_EQ(dialog.Status().Text(), "Online simulated camera " + model);

  QStringList seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout,
                   [&] { seen << dialog.Status().Text().section(' ', 0, 0); });
  watch.start(0);
  dialog.ReloadCamera();
  watch.stop();
  EXPECT_TRUE(seen.contains("Reading"));
  program.notifier.SetOffline();
  EXPECT_TRUE(dialog.Status().Text().startsWith("Offline"));
}

TEST_F(OperatorGuards, SequencerEntryEditsAreMarkedUntilWrittenAndAnIndexChangeAsksFirst) {
  constexpr int kFrames = 2769;
  auto* frames = Control<QLineEdit>(dialog, kFrames);
  auto* index = Control<QLineEdit>(dialog, ctl::SequencerIndex);
  auto* spin = Control<CUpDown>(dialog, ctl::SequencerIndexSpin);
  ASSERT_TRUE(frames && index && spin);
  const int entry = index->text().toInt();
  frames->setText("3");
  emit frames->editingFinished();
  EXPECT_TRUE(dialog.Entry().Marked(kFrames));

  const size_t asked = program.messages.questions.size();
  const size_t before = program.wire.lines.size();
  program.messages.answers = {false};  // keep the edit
  spin->PressArrow(1);
  EXPECT_EQ(program.messages.questions.size(), asked + 1);
  EXPECT_EQ(index->text().toInt(), entry);
  EXPECT_EQ(frames->text(), "3");
  EXPECT_EQ(program.Sent(before), std::vector<std::string>{});

  Control<QPushButton>(dialog, ctl::SequencerWrite)->click();
  EXPECT_FALSE(dialog.Entry().Marked(kFrames));
  spin->PressArrow(1);  // nothing left unwritten: no question
  EXPECT_EQ(program.messages.questions.size(), asked + 1);
  EXPECT_EQ(index->text().toInt(), entry + 1);

  // A field the camera does not take stays marked after the write.
  frames->setText("4");
  emit frames->editingFinished();
  SimFaults refused;
  refused.fault = SimFault::Garbage;
  refused.onlyCommand = "SQF" + std::to_string(entry + 1);
  program.server.SetFaults(refused);
  Control<QPushButton>(dialog, ctl::SequencerWrite)->click();
  program.server.SetFaults({});
  EXPECT_TRUE(dialog.Entry().Marked(kFrames));
  EXPECT_TRUE(dialog.Registry().MarkedUnwritten(kFrames));
}

}  // namespace
}  // namespace vistrel::test
