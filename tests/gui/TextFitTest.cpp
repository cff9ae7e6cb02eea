// Every window and page at the larger desktop fonts operators use: no text of a button, a
// caption, a group, a result field or a window title is cut off.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/ParameterAreaSelectDialog.h"
#include "core/ControlIds.h"
#include "ui/AboutDialog.h"
#include "ui/AdjustProgressDialog.h"
#include "ui/ButtonDlg.h"
#include "ui/CameraIdDialog.h"
#include "ui/CommunicationDialog.h"
#include "ui/LUTDlg.h"
#include "ui/ProgressBarDialog.h"
#include "ui/QtMessagePresenter.h"
#include "ui/TerminalDialog.h"
#include "ui/UserIdDialog.h"

namespace vistrel::test {
namespace {

constexpr int kFactoryMode = 1;
// The longest text a one-shot result field shows.
constexpr const char* kLongestResult = "Trig is not set as Normal";

// Shows the window, lets it lay out and names what is cut off in it.
QStringList ClippedIn(QWidget& window) {
  window.show();
  // Nested layouts settle over a few rounds of events: a field's, its form's, the scroll area's.
  for (int round = 0; round < 3; ++round)
    QApplication::processEvents();
  QStringList clipped = ClippedTexts(window);
  for (QString& text : clipped)
    text.prepend(window.windowTitle() + ": ");
  return clipped;
}

// The texts a message box cuts off, read while it waits for the operator.
QStringList ClippedInMessageBox(const std::string& text, const std::string& caption) {
  QtMessagePresenter presenter;
  QStringList clipped;
  QTimer::singleShot(0, [&clipped] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    clipped = ClippedTexts(*box);
    box->close();
  });
  presenter.ShowMessage(text, caption, MessageIcon::Information);
  return clipped;
}

QStringList ClippedInPages(CVistrelDlg& dialog) {
  dialog.ToggleControlMode();
  dialog.Registry().ShowText(ctl::WhiteBalanceResult, kLongestResult);
  dialog.Registry().ShowText(ctl::ShadingResult, kLongestResult);
  auto* tabs = dialog.findChild<QTabWidget*>("c1244");
  EXPECT_NE(tabs, nullptr);
  QStringList clipped;
  for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    clipped << ClippedIn(dialog);
  }
  return clipped;
}

QStringList ClippedInToolWindows(Program& program, CVistrelDlg& dialog) {
  QStringList clipped;
  for (QWidget* window : std::initializer_list<QWidget*>{
           &dialog.Terminal(), &dialog.Communication(), &dialog.Progress(), &dialog.MotorLens()}) {
    clipped << ClippedIn(*window);
    window->hide();
  }
  CAboutDialog about(program.session, program.notifier, program.locks, kFactoryMode);
  CCameraIdDialog cameraId(program.session, program.notifier, program.locks, kFactoryMode);
  CUserIdDialog userId(program.session, program.notifier, program.locks);
  CLUTDlg lut(0, program.session, program.notifier, program.locks);
  CParameterAreaSelectDialog area({"Factory Area", "User Area 1", "User Area 2", "User Area 3"},
                                  "Store settings", program.notifier);
  CAdjustProgressDialog adjust;
  adjust.setWindowTitle("Balance White Auto Once");
  for (QWidget* window :
       std::initializer_list<QWidget*>{&about, &cameraId, &userId, &lut, &area, &adjust})
    clipped << ClippedIn(*window);
  clipped << ClippedInMessageBox("Complete", "Balance White Auto Result");
  clipped << ClippedInMessageBox("Convergent", "Recalibrate FFC (User)");
  return clipped;
}

TEST(TextFit, NoTextIsCutOffInAnyWindowOrPageAtEachFontScale) {
  const QFont normal = QApplication::font();
  for (double scale : {1.0, 1.5, 2.0}) {
    QFont font = normal;
    font.setPointSizeF(normal.pointSizeF() * scale);
    QApplication::setFont(font);
    TestProgram program;
    CVistrelDlg& dialog = program.Start();
    EXPECT_EQ(ClippedInPages(dialog).join(" | ").toStdString(), "") << scale;
    EXPECT_EQ(ClippedInToolWindows(program, dialog).join(" | ").toStdString(), "") << scale;
  }
  QApplication::setFont(normal);
}

}  // namespace
}  // namespace vistrel::test
