// Every window and page at the larger desktop fonts operators use: no text of a button, a
// caption, a group, a result field or a window title is cut off.

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionGroupBox>
#include <QtWidgets/QTabWidget>
#include <algorithm>

#include "GuiFixture.h"
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

// The width a text takes in a widget's font; mnemonic markers are not drawn.
int TextWidth(const QWidget& widget, QString text) {
  int widest = 0;
  for (const QString& line : text.remove('&').split('\n'))
    widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
  return widest;
}

// The room a button needs beside its text: the frame of a push button, the indicator of a
// check box or radio button.
int ButtonChrome(const QAbstractButton& button) {
  constexpr int kPushButtonMargins = 8;
  const QStyle* style = button.style();
  if (qobject_cast<const QCheckBox*>(&button) != nullptr)
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &button) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &button);
  if (qobject_cast<const QRadioButton*>(&button) != nullptr)
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &button) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &button);
  return kPushButtonMargins;
}

// The texts of a shown window that do not fit their room: button texts, one-line captions,
// group titles, read-only fields and the window title.
QStringList ClippedTexts(QWidget& window) {
  constexpr int kFieldMargins = 6;
  QStringList clipped;
  const auto shown = [&window](const QWidget* widget) { return widget->isVisibleTo(&window); };
  for (auto* button : window.findChildren<QAbstractButton*>()) {
    if (shown(button) &&
        TextWidth(*button, button->text()) + ButtonChrome(*button) > button->width())
      clipped << button->text();
  }
  for (auto* label : window.findChildren<QLabel*>()) {
    if (shown(label) && !label->wordWrap() &&
        TextWidth(*label, label->text()) > label->contentsRect().width())
      clipped << label->text();
  }
  for (auto* group : window.findChildren<QGroupBox*>()) {
    if (!shown(group) || group->title().isEmpty())
      continue;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxLabel;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    if (title.right() >= group->width())
      clipped << group->title();
  }
  for (auto* field : window.findChildren<QLineEdit*>()) {
    if (shown(field) && field->isReadOnly() &&
        TextWidth(*field, field->text()) + kFieldMargins > field->contentsRect().width())
      clipped << field->text();
  }
  if (TextWidth(window, window.windowTitle()) > window.width())
    clipped << window.windowTitle();
  return clipped;
}

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
           &dialog.Tools().Terminal(), &dialog.Tools().Communication(), &dialog.Tools().Progress(),
           &dialog.Identity().MotorLens()}) {
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
  clipped << ClippedInMessageBox("Complete", "Balance White Auto Result");  // longest caption
  return clipped;
}

// The lens buttons keep their places: open beside close, iris above zoom above focus.
void ExpectLensButtonsInPlace(CButtonDlg& lens) {
  auto at = [&lens](int id) {
    return lens.findChild<QPushButton*>(QStringLiteral("c%1").arg(id))->geometry();
  };
  EXPECT_LT(at(40001).right(), at(40002).left());
  EXPECT_LT(at(40001).bottom(), at(40003).top());
  EXPECT_LT(at(40004).bottom(), at(40006).top());
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
    SCOPED_TRACE(scale);
    ExpectLensButtonsInPlace(dialog.Identity().MotorLens());
  }
  QApplication::setFont(normal);
}

}  // namespace
}  // namespace vistrel::test
