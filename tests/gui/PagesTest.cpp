#include <QtGui/QKeySequence>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabWidget>
#include <map>
#include <set>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/FieldNames.h"
#include "app/PageCaptions.h"
#include "app/TabSheetDialog.h"
#include "app/UpDown.h"
#include "core/CommandTable.h"

namespace vistrel::test {
namespace {

constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;
// The title bar the window manager adds above the window.
constexpr int kTitleBarHeight = 32;
// Room left on every page for a desktop font a little wider than the test platform's.
constexpr int kSpareWidthPercent = 5;

// What the operator reads beside a control: its caption, or the text of a button.
QString CaptionText(QWidget* form, QWidget* control) {
  if (QLabel* label = CaptionLabelOf(form, control))
    return SpokenText(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(control))
    return SpokenText(button->text());
  return {};
}

void UseModel(Program& program, const std::string& model) {
  SimConfig config;
  config.model = model;
  program.camera->With([&config](SimCamera& camera) { camera = SimCamera(config); });
}

class Pages : public StartedProgram<1> {};

// Every field is named for a screen reader by its caption, apart from every other on its page,
// and its description is its tooltip; no caption repeats in a group, and the Alt letters of
// a page are its own and leave the menu bar's alone.
TEST_F(Pages, EveryControlHasAReadableCaptionAndItsCommandInTheTooltip) {
  int checked = 0;
  for (int i = 0; i < kPageCount; ++i) {
    QWidget* form = dialog.Page(i)->Form();
    std::map<QWidget*, std::set<QString>> captionsInGroup;
    QString letters = MenuBarLetters();
    for (auto* label : form->findChildren<QLabel*>()) {
      if (label->buddy() == nullptr && !label->objectName().startsWith('l'))
        continue;  // a value shown, not a caption
      // An index field and its value field, and any two fields of one group, read apart.
      const QString text = SpokenText(label->text());
      EXPECT_TRUE(captionsInGroup[label->parentWidget()].insert(text).second) << text.toStdString();
      const QString letter = QKeySequence::mnemonic(label->text()).toString().right(1);
      EXPECT_TRUE(letter.isEmpty() || !letters.contains(letter)) << label->text().toStdString();
      letters += letter;
    }
    std::set<QString> names;
    for (QWidget* control : FieldsOf(form)) {
      const QString name = control->accessibleName();
      EXPECT_TRUE(name.contains(CaptionText(form, control))) << name.toStdString();
      EXPECT_TRUE(names.insert(name).second) << name.toStdString();
      EXPECT_EQ(control->accessibleDescription(), control->toolTip());
      const int id = ControlRegistry::IdOf(control);
      const QString caption = CaptionText(form, control).trimmed();
      SCOPED_TRACE(id);
      EXPECT_FALSE(caption.isEmpty());
      EXPECT_FALSE(caption.startsWith("Cmd "));
      bool number = false;
      caption.toInt(&number);
      EXPECT_FALSE(number);
      EXPECT_LT(CommandTable::FindByName(caption.toStdString()), 0) << caption.toStdString();
      const std::string tooltip = control->toolTip().toStdString();
      const std::string expected = TooltipFor(id, ControlCaptions(), program.table);
      if (!expected.empty()) {
        EXPECT_NE(tooltip.find(expected.substr(0, expected.find(' '))), std::string::npos)
            << tooltip;
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 330);
  EXPECT_TRUE(
      Control<QWidget>(dialog, 1343)->toolTip().startsWith("PER\nRange "));  // and its range
  EXPECT_TRUE(Control<QWidget>(dialog, 2515)->toolTip().startsWith("LUTR"));
  EXPECT_EQ(Control<QWidget>(dialog, 1879)->toolTip(), "STRG");
  EXPECT_NE(Control<QWidget>(dialog, 2760)->toolTip().indexOf("id 599"), -1);
}

TEST_F(Pages, CaptionTableNamesOnlyControlsThatExistAndSkipsBrokenLines) {
  const std::map<int, Caption> parsed =
      ParseCaptions("# comment\n\n12\tTwelve\r\n13\tThirteen\tT13\n14a\tBad id\n15\t\n16\n");
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_EQ(parsed.at(12).text, "Twelve");
  EXPECT_EQ(parsed.at(12).tooltip, "");
  EXPECT_EQ(parsed.at(13).tooltip, "T13");
  ASSERT_GT(ControlCaptions().size(), 330u);
  for (const auto& [id, caption] : ControlCaptions())
    EXPECT_TRUE(dialog.Registry().HasControl(id)) << id << " " << caption.text;
}

TEST_F(Pages, TheWindowFitsASmallScreenAndNoPageScrollsSideways) {
  QApplication::processEvents();

  EXPECT_LE(dialog.frameGeometry().width(), kScreenWidth);
  EXPECT_LE(dialog.frameGeometry().height() + kTitleBarHeight, kScreenHeight);
  EXPECT_LE(dialog.minimumSizeHint().width(), kScreenWidth);
  auto* tabs = dialog.findChild<QTabWidget*>("c1244");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 7);
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    auto* scroll = tabs->currentWidget()->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    ASSERT_TRUE(scroll->isVisible());
    const int needed = scroll->widget()->minimumSizeHint().width();
    EXPECT_LE(needed * (100 + kSpareWidthPercent) / 100, scroll->viewport()->width())
        << tabs->tabText(i).toStdString();
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0)
        << tabs->tabText(i).toStdString() << " needs "
        << scroll->widget()->minimumSizeHint().width() << " of " << scroll->viewport()->width();
  }
}

TEST_F(Pages, ReadOutsShowTextsAndSendNothingTyped) {
  for (int id : {5109, 5114, 5117, 1871, 1872, 5115, 2567, 2579, 2583, 2588, 2582, 2586}) {
    QLineEdit* field = Control<QLineEdit>(dialog, id);
    ASSERT_NE(field, nullptr) << id;
    EXPECT_TRUE(field->isReadOnly()) << id;
    EXPECT_EQ(dialog.Registry().SpinOfEdit(id), 0) << id;
  }
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_TRUE(Control<QLineEdit>(dialog, 5109)->text().startsWith("BaudRateMax ")) << pass;
    EXPECT_EQ(Control<QLineEdit>(dialog, 5114)->text(), "Normal Mode") << pass;
    dialog.ReloadCamera();
  }

  const size_t before = program.wire.lines.size();
  for (int id : {5109, 5117}) {
    QLineEdit* field = Control<QLineEdit>(dialog, id);
    field->setText("8");  // as if typed around the read-only state
    emit field->editingFinished();
    QTest::keyClick(field, Qt::Key_Up);
  }
  Pump(50);
  EXPECT_EQ(program.wire.lines.size(), before);
}

TEST_F(Pages, ControlsWithoutACameraCommandStayDisabledWithTheReason) {
  for (int id : {1648, 2550, 1452, 1457, 2760, 2762, 2765, 2866, 2868, 2865, 1520, 2564, 2684}) {
    SCOPED_TRACE(id);
    ASSERT_NE(Control<QWidget>(dialog, id), nullptr);
    EXPECT_FALSE(Control<QWidget>(dialog, id)->isEnabled());
    EXPECT_NE(Control<QWidget>(dialog, id)->toolTip().indexOf("no command"), -1);
  }
  // Also the up-down control of a field, and an enabling rule cannot bring it back.
  EXPECT_FALSE(Control<QWidget>(dialog, dialog.Registry().SpinOfEdit(1452))->isEnabled());
  for (auto* radio : Control<QWidget>(dialog, 2684)->parentWidget()->findChildren<QRadioButton*>())
    EXPECT_FALSE(radio->isEnabled());
  dialog.Registry().SetControlEnabled(2760, true);
  EXPECT_FALSE(Control<QWidget>(dialog, 2760)->isEnabled());
  // The blemish index fields give the index of a named table and stay usable.
  EXPECT_TRUE(Control<QWidget>(dialog, 1417)->isEnabled());
  // The blue blemish write button stays a button.
  EXPECT_NE(qobject_cast<QAbstractButton*>(Control<QWidget>(dialog, 1453)), nullptr);
}

TEST(PagesForModel, MonochromeCameraHidesTheColourControls) {
  TestProgram program;
  UseModel(program, "QX-70500M-VLNK");
  CVistrelDlg& dialog = program.Start();
  ASSERT_TRUE(program.session.Model().IsMonochrome());

  for (int id : {1343, 1345, 1347, 1368, 2539, 1785, 2627, 2649, 1415})
    EXPECT_TRUE(Control<QWidget>(dialog, id)->isHidden()) << id;
  // Caption and up-down go with the field; a group left empty goes too.
  EXPECT_TRUE(dialog.Page(0)->Form()->findChild<QLabel*>("l1343")->isHidden());
  EXPECT_TRUE(Control<QWidget>(dialog, 1344)->isHidden());
  EXPECT_TRUE(Control<QWidget>(dialog, 2627)->parentWidget()->isHidden());
  EXPECT_FALSE(Control<QWidget>(dialog, 1338)->isHidden());
  // No rule shows a control the model lacks.
  dialog.Registry().SetControlVisible(1343, true);
  EXPECT_TRUE(Control<QWidget>(dialog, 1343)->isHidden());
}

TEST(PagesForModel, RlCameraShowsItsOwnControlsAndAnotherModelGetsThemBack) {
  TestProgram program;
  UseModel(program, "RL-8200T-VLNK");
  CVistrelDlg& dialog = program.Start();
  ASSERT_EQ(program.session.Model().code, 1);

  EXPECT_FALSE(Control<QWidget>(dialog, 1343)->isHidden());  // per-colour exposure is read
  EXPECT_TRUE(Control<QWidget>(dialog, 2700)->isHidden());   // no multi-ROI
  EXPECT_TRUE(Control<QWidget>(dialog, 5117)->isHidden());
  EXPECT_TRUE(Control<QWidget>(dialog, 2860)->isHidden());  // its switch goes with it

  UseModel(program, "QX-70500C-VLNK");
  dialog.ReloadCamera();
  EXPECT_FALSE(Control<QWidget>(dialog, 2700)->isHidden());
  EXPECT_FALSE(Control<QWidget>(dialog, 2700)->parentWidget()->isHidden());
  EXPECT_TRUE(Control<QWidget>(dialog, 1343)->isHidden());
}

}  // namespace
}  // namespace vistrel::test
