#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <set>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/TabSheetDialog.h"
#include "core/ControlIds.h"

namespace vistrel::test {
namespace {

class HandlerFamilies : public ::testing::Test {
 protected:
  CVistrelDlg& Start(const std::string& model = {}) {
    if (!model.empty())
      program_.camera->Exchange("MD00=" + model + "\r\n");
    CVistrelDlg& dialog = program_.Start();
    program_.wire.lines.clear();
    program_.messages.messages.clear();
    return dialog;
  }

  TestProgram program_;
};

TEST_F(HandlerFamilies, ARefusedOneShotStartIsReportedOnce) {
  CVistrelDlg& dialog = Start();
  SimFaults faults;
  faults.fault = SimFault::Garbage;
  faults.onlyCommand = "AGC";
  program_.server.SetFaults(faults);
  Pick(Control<QComboBox>(dialog, ctl::AGC), 2);  // Once
  EXPECT_EQ(program_.Sent().front(), "AGC=2");
  EXPECT_EQ(program_.messages.messages.size(), 1u);
  EXPECT_EQ(Control<QComboBox>(dialog, ctl::AGC)->currentIndex(), 0);
}

TEST_F(HandlerFamilies, GreenBlemishTableIsHiddenOutsideTheRlFamily) {
  // The green table goes with its buttons.
  CVistrelDlg& colour = Start("QX-70500C-VLNK");
  for (int id : {1423, 1427, 1515, 1433, 1517, 1437, 1519, 1464})
    EXPECT_TRUE(Control<QWidget>(colour, id)->isHidden()) << id;
}

TEST_F(HandlerFamilies, SequencerFieldsTheCameraDidNotTakeAreMarked) {
  CVistrelDlg& dialog = Start("RL-4100T-VLNK");
  const int entry = dialog.Registry().ReadControlValue(ctl::SequencerIndex).value_or(0);
  SimFaults faults;
  faults.fault = SimFault::Garbage;
  faults.onlyCommand = "SQW" + std::to_string(entry);
  program_.server.SetFaults(faults);
  // A region this model's sensor holds.
  Control<QLineEdit>(dialog, ctl::SQW)->setText("1024");
  Control<QLineEdit>(dialog, ctl::SQH)->setText("768");
  Control<QPushButton>(dialog, ctl::SequencerWrite)->click();
  QWidget* widthField = dialog.Registry().FindControl(ctl::SQW);
  EXPECT_TRUE(widthField->property("unwritten").toBool());
  program_.server.SetFaults({});
  Control<QPushButton>(dialog, ctl::SequencerWrite)->click();
  EXPECT_FALSE(widthField->property("unwritten").toBool());
}

// Buttons that stay disabled on the default camera, and why.
const std::set<int> kDocumentedDisabled = {
    1648, 2550, 2866, 2868, 2766, 2765,  // commands the camera has no name for
    1520, 1522, 1523, 1524,              // position lists: commands without a name
    2558, 2559, 2564, 2565,              // position lists: commands without a name
    1573,                                // the LUT editor: offered in the user LUT mode only
    2602,                                // XML version Write: until the fields hold digits
};
// The camera reset ends the program; its own tests cover it.
constexpr int kCameraReset = 1014;

int VisibleWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += widget->isVisible() ? 1 : 0;
  return count;
}

TEST_F(HandlerFamilies, EveryButtonOfEveryPageDoesSomething) {
  CVistrelDlg& dialog = Start();
  dialog.ToggleControlMode();
  std::vector<int> silent;
  int clicked = 0;
  std::vector<int> disabled;
  std::vector<int> unsupported;  // the camera answered that its model has no such command
  for (int page = 0; page < 8; ++page) {
    for (QPushButton* button : dialog.Page(page)->findChildren<QPushButton*>()) {
      const QString name = button->objectName();
      if (!name.startsWith('c'))
        continue;
      const int id = name.mid(1).toInt();
      if (id == kCameraReset)
        continue;
      if (!button->isEnabled()) {
        if (!kDocumentedDisabled.contains(id))
          disabled.push_back(id);
        continue;
      }
      program_.wire.lines.clear();
      program_.messages.messages.clear();
      const int windows = VisibleWindows();
      button->click();
      Pump(10);
      ++clicked;
      const bool told = !program_.messages.messages.empty();
      for (const auto& message : program_.messages.messages) {
        if (message.text.find("not supported") != std::string::npos)
          unsupported.push_back(id);
      }
      if (program_.Sent().empty() && VisibleWindows() == windows && !told)
        silent.push_back(id);
    }
  }
  EXPECT_TRUE(disabled.empty()) << ::testing::PrintToString(disabled);
  EXPECT_TRUE(unsupported.empty()) << ::testing::PrintToString(unsupported);
  EXPECT_GE(clicked, 15);
  EXPECT_TRUE(silent.empty()) << ::testing::PrintToString(silent);
}

}  // namespace
}  // namespace vistrel::test
