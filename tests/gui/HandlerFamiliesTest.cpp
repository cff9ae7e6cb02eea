#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <set>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "app/TabSheetDialog.h"
#include "core/ControlIds.h"

namespace vistrel::test {
namespace {

// Lines written to the camera since the wire record was cleared.
std::vector<std::string> Written(const Program& program) {
  std::vector<std::string> lines;
  for (const std::string& line : program.wire.lines) {
    if (line.starts_with("Tx: "))
      lines.push_back(line.substr(4));
  }
  return lines;
}

class HandlerFamilies : public ::testing::Test {
 protected:
  CVistrelDlg& Start(const std::string& model = {}) {
    program_ = std::make_unique<Program>(folder_.Path());
    if (!model.empty())
      program_->camera->Exchange("MD00=" + model + "\r\n");
    CVistrelDlg& dialog = program_->Start();
    program_->wire.lines.clear();
    program_->messages.messages.clear();
    return dialog;
  }

  TempFolder folder_;
  std::unique_ptr<Program> program_;
};

TEST_F(HandlerFamilies, ReadOutsShowTheirTextsAfterStartAndAfterAReload) {
  CVistrelDlg& dialog = Start();
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_TRUE(Control<QLineEdit>(dialog, 5109)->text().startsWith("BaudRateMax ")) << pass;
    EXPECT_EQ(Control<QLineEdit>(dialog, 5114)->text(), "Normal Mode") << pass;
    dialog.ReloadCamera();
  }
}

TEST_F(HandlerFamilies, ARefusedOneShotStartIsReportedOnce) {
  CVistrelDlg& dialog = Start();
  SimFaults faults;
  faults.fault = SimFault::Garbage;
  faults.onlyCommand = "AGC";
  program_->server.SetFaults(faults);
  Pick(Control<QComboBox>(dialog, ctl::AGC), 2);  // Once
  EXPECT_EQ(Written(*program_).front(), "AGC=2");
  EXPECT_EQ(program_->messages.messages.size(), 1u);
  EXPECT_EQ(Control<QComboBox>(dialog, ctl::AGC)->currentIndex(), 0);
}

TEST_F(HandlerFamilies, GreenBlemishTableIsHiddenOutsideTheRlFamily) {
  // The green table goes with its buttons and its group.
  CVistrelDlg& colour = Start("QX-70500C-VLNK");
  for (int id : {1423, 1427, 1515, 1433, 1517, 1437, 1519, 1464})
    EXPECT_TRUE(Control<QWidget>(colour, id)->isHidden()) << id;
  EXPECT_TRUE(Control<QWidget>(colour, 1515)->parentWidget()->isHidden());
}

TEST_F(HandlerFamilies, SequencerWriteSendsTheColourFieldsAndMarksWhatTheCameraDidNotTake) {
  CVistrelDlg& dialog = Start("RL-4100T-VLNK");
  const int entry = dialog.Registry().ReadControlValue(ctl::SequencerIndex).value_or(0);
  const std::string width = "SQW" + std::to_string(entry);
  SimFaults faults;
  faults.fault = SimFault::Garbage;
  faults.onlyCommand = width;
  program_->server.SetFaults(faults);
  // A region this model's sensor holds.
  Control<QLineEdit>(dialog, ctl::SQW)->setText("1024");
  Control<QLineEdit>(dialog, ctl::SQH)->setText("768");
  Control<QPushButton>(dialog, ctl::SequencerWrite)->click();
  const std::vector<std::string> lines = Written(*program_);
  for (const char* name : {"SQHB", "SQVB", "SQPER", "SQGG"})
    EXPECT_EQ(std::ranges::count_if(lines,
                                    [&](const std::string& line) {
                                      return line.starts_with(name + std::to_string(entry) + "=");
                                    }),
              1)
        << name;
  QWidget* widthField = dialog.Registry().FindControl(ctl::SQW);
  EXPECT_TRUE(widthField->property("unwritten").toBool());
  EXPECT_FALSE(dialog.Registry().FindControl(ctl::SQH)->property("unwritten").toBool());
  ASSERT_FALSE(program_->messages.messages.empty());
  EXPECT_NE(program_->messages.messages.back().text.find("did not take SQW ("), std::string::npos)
      << program_->messages.messages.back().text;
  // The next write the camera takes clears the mark.
  program_->server.SetFaults({});
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
      program_->wire.lines.clear();
      program_->messages.messages.clear();
      const int windows = VisibleWindows();
      button->click();
      Pump(10);
      ++clicked;
      const bool told = !program_->messages.messages.empty();
      for (const auto& message : program_->messages.messages) {
        if (message.text.find("not supported") != std::string::npos)
          unsupported.push_back(id);
      }
      if (Written(*program_).empty() && VisibleWindows() == windows && !told)
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
