#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <algorithm>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/TabSheetDialog.h"
#include "app/UpDown.h"

namespace vistrel::test {
namespace {

class ParameterControls : public ::testing::Test {
 protected:
  ParameterControls() { program_.wire.lines.clear(); }
  std::vector<std::string> Sent() const { return program_.SentSettings(); }

  TestProgram program_;
  CVistrelDlg* dialog_ = &program_.Start();
};

TEST_F(ParameterControls, EveryTableRowOnAPageHasAControlOfItsKind) {
  // The rows no page holds keep their values in the table only.
  const std::vector<int> unplaced = {2874, 2604, 2576, 1830, 1832, 1834, 1771, 1775,
                                     1779, 1820, 1826, 1828, 1786, 1793, 1800, 1737,
                                     1751, 1741, 1754, 1743, 1758, 1747, 1762};
  for (int i = 0; i < program_.table.RowCount(); ++i) {
    const ParameterEntry& row = program_.table.Row(i);
    QWidget* control = dialog_->Registry().FindControl(row.ctrlId);
    if (std::ranges::find(unplaced, row.ctrlId) != unplaced.end()) {
      EXPECT_EQ(control, nullptr) << row.ctrlId;
      continue;
    }
    ASSERT_NE(control, nullptr) << row.ctrlId;
    const ControlClass kind = ControlRegistry::ClassOf(control);
    switch (row.kind) {
      case ControlKind::Check:
        EXPECT_EQ(kind, ControlClass::CheckBox) << row.ctrlId;
        break;
      case ControlKind::Number:
        EXPECT_EQ(kind, ControlClass::Edit) << row.ctrlId;
        // The read-outs show what the camera reports and have no arrows.
        if (row.ctrlId != 5109 && row.ctrlId != 5117) {
          EXPECT_NE(dialog_->Registry().SpinOfEdit(row.ctrlId), 0) << row.ctrlId;
        }
        break;
      case ControlKind::Action:
        EXPECT_EQ(kind, ControlClass::PushButton) << row.ctrlId;
        break;
      case ControlKind::Choice:
        EXPECT_NE(kind, ControlClass::None) << row.ctrlId;
        break;
    }
  }
}

TEST_F(ParameterControls, EnterInANumberFieldSendsExactlyOneSettingLine) {
  auto* edit = Control<QLineEdit>(*dialog_, 1338);  // PE
  edit->setFocus();
  edit->setText("12345");
  QTest::keyClick(edit, Qt::Key_Return);
  // Leaving the field afterwards sends nothing more.
  Control<QLineEdit>(*dialog_, 1363)->setFocus();
  emit edit->editingFinished();

  EXPECT_EQ(Sent(), std::vector<std::string>{"PE=12345"});
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(program_.messages.questions.empty());
}

TEST_F(ParameterControls, ColourFieldsKeepTheRangesOfTheirPage) {
  auto* enhancer = Control<QLineEdit>(*dialog_, 2644);  // CEVALR, 0..10
  enhancer->setText("10");  // typed: the arrow continues from it and stops at the maximum
  Control<CUpDown>(*dialog_, dialog_->Registry().SpinOfEdit(2644))->PressArrow(1);
  EXPECT_EQ(Sent(), std::vector<std::string>{"CEVALR=10"});
}

TEST_F(ParameterControls, ArrowsAndKeysContinueFromTheTypedNumber) {
  auto* edit = Control<QLineEdit>(*dialog_, 2318);  // PGRPT0, 0..255
  auto* upDown = Control<CUpDown>(*dialog_, dialog_->Registry().SpinOfEdit(2318));
  edit->setText("40");  // typed, not committed
  upDown->PressArrow(1);
  EXPECT_EQ(Sent(), std::vector<std::string>{"PGRPT0=41"});
  EXPECT_EQ(edit->text(), "41");
  // Text outside the range or no number: the arrow goes on from the position.
  edit->setText("900");
  upDown->PressArrow(-1);
  edit->setText("abc");
  upDown->PressArrow(-1);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"PGRPT0=41", "PGRPT0=40", "PGRPT0=39"}));

  for (int page = 0; page < kPageCount; ++page) {
    if (dialog_->Page(page)->isAncestorOf(edit))
      dialog_->Page(page)->show();
  }
  edit->setFocus();
  QApplication::processEvents();
  QTest::keyClick(edit, Qt::Key_Up);
  QTest::keyClick(edit, Qt::Key_Up);
  QTest::keyClick(edit, Qt::Key_Down);
  Pump(50);
  EXPECT_EQ(Sent().back(), "PGRPT0=40");
  EXPECT_EQ(edit->text(), "40");
}

TEST_F(ParameterControls, EnterAndEscapeOnAPageButtonDoNothingAndAClickRunsItOnce) {
  auto* button = Control<QPushButton>(*dialog_, 2799);  // CR0
  QSignalSpy clicks(button, &QPushButton::clicked);
  button->setFocus();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
    QTest::keyClick(button, key);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_TRUE(program_.wire.lines.empty());
  EXPECT_TRUE(program_.messages.questions.empty());
  EXPECT_TRUE(dialog_->isVisible());

  program_.messages.answers = {false, false};
  Control<QPushButton>(*dialog_, 1024)->click();  // Store All, declined
  EXPECT_EQ(program_.messages.questions.size(), 1u);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ParameterControls, ChoicesSendAndShowTheirCodeOrPosition) {
  auto* trigger = Control<QComboBox>(*dialog_, 1349);  // TI
  Pick(trigger, trigger->findText("PulseGenerator0"));
  Pick(trigger, trigger->findText("Software"));
  auto* activation = Control<QComboBox>(*dialog_, 1350);  // TA
  Pick(activation, 2);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"TI=10", "TI=2", "TA=2"}));
  dialog_->Registry().ShowParameter(1349, 26);
  EXPECT_EQ(trigger->currentText(), "Nand0Out");
  dialog_->Registry().ShowParameter(1350, 3);
  EXPECT_EQ(activation->currentText(), "Level Low");
}

TEST_F(ParameterControls, ThirdRadioButtonStoresTwoInTheFirstButtonsRow) {
  auto* first = Control<QRadioButton>(*dialog_, 2684);
  std::vector<QRadioButton*> group;
  for (QObject* child : first->parent()->children()) {
    if (auto* radio = qobject_cast<QRadioButton*>(child))
      group.push_back(radio);
  }
  ASSERT_EQ(group.size(), 3u);
  // The pages' only radio groups are bound to commands without a name and stay disabled;
  // the group mechanics are the same for any group.
  for (QRadioButton* radio : group)
    radio->setEnabled(true);
  group[2]->setChecked(true);
  EXPECT_EQ(dialog_->Registry().ReadControlValue(2684), 2);
  // A click stores it; a command without a name sends nothing, so the row stays unsent.
  group[2]->click();
  EXPECT_EQ(program_.table.GetLastSentValue(2684), 0);
  EXPECT_TRUE(group[0]->isChecked());
  dialog_->Registry().ShowParameter(2684, 1);
  EXPECT_TRUE(group[1]->isChecked());
  EXPECT_FALSE(group[2]->isChecked());
}

TEST_F(ParameterControls, CheckBoxSendsItsState) {
  auto* box = Control<QCheckBox>(*dialog_, 1940);  // ALCLR
  const bool was = box->isChecked();
  box->click();
  EXPECT_EQ(Sent(), std::vector<std::string>{std::string("ALCLR=") + (was ? "0" : "1")});
}

}  // namespace
}  // namespace vistrel::test
