#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "GuiFixture.h"
#include "app/MainMenu.h"
#include "app/TabSheetDialog.h"
#include "camera/ReadAll.h"
#include "camera/models/PageChoices.h"
#include "core/CommandTable.h"
#include "ui/ButtonDlg.h"
#include "ui/CommunicationDialog.h"
#include "ui/TerminalDialog.h"
#include "ui_CommunicationDialog.h"

namespace vistrel::test {
namespace {

QString Text(CVistrelDlg& dialog, int ctrlId) {
  auto* edit = qobject_cast<QLineEdit*>(dialog.Registry().FindControl(ctrlId));
  return edit ? edit->text() : QString("<none>");
}

// Types a key where the keyboard focus is, as the operator would.
void Key(CVistrelDlg& dialog, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

const QStringList kUserTabs = {"User A", "User B", "User C", "User D", "User F", "User G"};

class MainDialog : public StartedProgram<> {};
class MainDialogFiles : public StartedProgram<> {};

TEST(MainDialogStart, StartsOnlineWithTheCameraValuesOrOfflineWithTheInitialOnes) {
  for (const bool answers : {true, false}) {
    SCOPED_TRACE(answers);
    TestProgram program(answers ? SimFault::None : SimFault::NoReply);
    CVistrelDlg& dialog = program.Start();
    EXPECT_EQ(dialog.ChannelOk(), answers);
    EXPECT_EQ(static_cast<QLabel*>(dialog.Status().LinkIndicator())->pixmap().toImage(),
              OnlineStatusNotifier::Bitmap(answers).toImage());
    EXPECT_EQ(dialog.Tools().Communication().Controls().c1155->text(),
              answers ? "Online" : "Offline");
    EXPECT_TRUE(program.messages.messages.empty()) << program.messages.messages.front().text;
    EXPECT_EQ(dialog.TabTitles(), kUserTabs);
    if (!answers) {
      EXPECT_EQ(Text(dialog, 1338), "1");     // PE
      EXPECT_EQ(Text(dialog, 2512), "4112");  // WTC
      continue;
    }
    EXPECT_TRUE(dialog.windowTitle().startsWith("QX-70500-VLNK Vistrel  Ver "));
    // Exposure time and frame period as the camera has them, not the table's initial 1.
    EXPECT_EQ(Text(dialog, 1338), QString::number(*program.CameraValue("PE")));
    EXPECT_EQ(Text(dialog, 1363), QString::number(*program.CameraValue("AR")));
    EXPECT_TRUE(std::ranges::any_of(dialog.Menu().MenuBar()->actions(),
                                    [](QAction* a) { return a->text() == "LUT(&L)"; }));
    EXPECT_FALSE(dialog.Menu().UtilityMenu()->menuAction()->isEnabled());
  }
}

TEST_F(MainDialog, ChoiceEntriesKnownWithoutWidgetsAreThePagesOwn) {
  ASSERT_GT(PageChoiceIds().size(), 50u);
  // The camera's baud rates and the model choice are filled from what the camera reports.
  constexpr int kFromTheCamera[] = {1422, 1853};
  // Lists that hold part of their entries, by the values of other controls: pixel format,
  // tap geometry, white balance, video send mode.
  constexpr int kNarrowed[] = {1354, 5139, 1580, 2514};
  for (int ctrlId : PageChoiceIds()) {
    if (std::ranges::find(kFromTheCamera, ctrlId) != std::end(kFromTheCamera))
      continue;
    std::vector<std::string> texts;
    for (const ChoiceItem& entry : PageChoiceEntries(ctrlId, program.session.Model().code))
      texts.push_back(entry.text);
    const std::vector<std::string> shown = dialog.Registry().ChoiceTexts(ctrlId);
    if (std::ranges::find(kNarrowed, ctrlId) == std::end(kNarrowed)) {
      EXPECT_EQ(texts, shown) << ctrlId;
      continue;
    }
    EXPECT_FALSE(shown.empty()) << ctrlId;
    for (const std::string& text : shown)
      EXPECT_NE(std::ranges::find(texts, text), texts.end()) << ctrlId << " " << text;
  }
}

TEST_F(MainDialog, AccessCodeTogglesFactoryModeUntypedAndAWrongLetterDisarms) {
  const auto letters = AccessCode::Letters();
  Key(dialog, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
  Key(dialog, letters[0]);
  Key(dialog, 'A');  // wrong: the sequence must start again
  Key(dialog, letters[1]);
  Key(dialog, letters[2]);
  EXPECT_EQ(dialog.ControlMode(), 0);

  // Typed in a page field, the letters never land in it.
  dialog.Page(0)->show();
  QLineEdit* field = qobject_cast<QLineEdit*>(dialog.Registry().FindControl(1795));
  const QString shown = field->text();
  field->setFocus();
  QApplication::processEvents();
  QTest::keyClick(field, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
  for (int letter : letters) {
    QTest::keyClick(field, static_cast<Qt::Key>(letter));
    EXPECT_EQ(field->text(), shown) << "typed into the field";
  }
  EXPECT_EQ(dialog.ControlMode(), 1);
  EXPECT_EQ(dialog.TabTitles().back(), "Factory A");
  // The factory rows the user-mode read left out are tinted until a read fills them.
  std::vector<int> factoryRows;
  for (int row = 0; row < program.table.RowCount(); ++row) {
    if (program.table.Row(row).paramClass == ParamClass::Factory &&
        IsRowReadForModel(program.session, row) &&
        !CommandTable::Name(program.table.Row(row).commandId).empty())
      factoryRows.push_back(program.table.Row(row).ctrlId);
  }
  ASSERT_FALSE(factoryRows.empty());
  EXPECT_TRUE(
      std::ranges::all_of(factoryRows, [&](int id) { return dialog.Registry().MarkedUnread(id); }));
  EXPECT_TRUE(dialog.Status().Values().startsWith(QString::number(factoryRows.size())));
  dialog.ReloadCamera();
  EXPECT_TRUE(std::ranges::none_of(factoryRows,
                                   [&](int id) { return dialog.Registry().MarkedUnread(id); }));
  EXPECT_EQ(dialog.Status().Values(), "");
  // Without the arming keys, letters are ordinary typing.
  QTest::keyClick(field, Qt::Key_Q);
  EXPECT_EQ(field->text(), shown + "q");

  // The flag reaches the stored settings when the dialog ends.
  program.dialog.reset();
  EXPECT_EQ(program.settings.GetStoredNumber(kStoredControlMode, 0).value, 1u);
}

TEST_F(MainDialog, ExitQuestionAnsweredNoKeepsRunning) {
  program.messages.answers = {false};
  dialog.Menu().Run(menu::kExit);
  ASSERT_EQ(program.messages.questions.size(), 1u);
  EXPECT_EQ(program.messages.questions[0].text, CVistrelDlg::kExitQuestion);
  EXPECT_EQ(program.messages.questions[0].caption, "Confirm");
  EXPECT_TRUE(dialog.isVisible());

  program.messages.answers = {true};
  dialog.Menu().Run(menu::kExit);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MainDialog, ReloadReadsTheCameraWithProgress) {
  // The camera's exposure changes behind the program's back.
  program.camera->Exchange("PE=4321\r\n");

  dialog.Menu().Run(menu::kReload);
  EXPECT_EQ(Text(dialog, 1338), "4321");
  EXPECT_EQ(dialog.Tools().Progress().Message(), "Now, reading camera settings.");
  EXPECT_GT(dialog.Tools().Progress().UpdateCount(), 100);
  EXPECT_EQ(dialog.Tools().Progress().Percent(), 100);
  EXPECT_FALSE(dialog.Tools().Progress().isVisible());
  EXPECT_TRUE(dialog.isEnabled());  // the windows are unlocked again
}

TEST_F(MainDialogFiles, SaveAsAsksBeforeReplacingAndRemembersTheFolder) {
  const std::string path = program.folder.Path() + "/camera.cam";

  program.messages.files = {path};
  dialog.Menu().Run(menu::kSaveAllData);
  ASSERT_TRUE(std::filesystem::exists(path));
  const auto& request = program.messages.fileRequests.back();
  EXPECT_TRUE(request.forSaving);
  EXPECT_EQ(request.defaultExtension, "cam");
  EXPECT_EQ(program.settings.GetStoredText(kStoredCameraFilePath).value, program.folder.Path());

  std::filesystem::resize_file(path, 0);
  program.messages.files = {path};
  program.messages.answers = {false};
  dialog.Menu().Run(menu::kSaveShippingData);
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  ASSERT_EQ(program.messages.questions.size(), 1u);
}

// The keys of the menu commands run them as the menu does, with the same questions.
TEST_F(MainDialogFiles, MenuKeysRunTheirCommands) {
  const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(&dialog);  // a pass ends with the window activated again
    Key(dialog, key, modifiers);
  };
  const size_t from = program.wire.lines.size();
  press(Qt::Key_F5, Qt::NoModifier);
  const std::vector<std::string> sent = program.Sent(from);
  ASSERT_GT(sent.size(), 100u);  // the model check, then every setting
  EXPECT_EQ(sent.front(), "MD?");

  const std::string path = program.folder.Path() + "/keys.cam";
  struct Case {
    Qt::Key key;
    std::optional<std::string> file;
    bool saving;
  };
  for (const Case& c : {Case{Qt::Key_S, path, true}, Case{Qt::Key_O, std::nullopt, false}}) {
    program.messages.files = {c.file};
    press(c.key, Qt::ControlModifier);
    ASSERT_FALSE(program.messages.fileRequests.empty());
    EXPECT_EQ(program.messages.fileRequests.back().forSaving, c.saving);
  }
  EXPECT_TRUE(std::filesystem::exists(path));
  program.messages.answers = {false};
  press(Qt::Key_Q, Qt::ControlModifier);
  ASSERT_EQ(program.messages.questions.size(), 1u);
  EXPECT_EQ(program.messages.questions[0].text, CVistrelDlg::kExitQuestion);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(MainDialogFiles, AReloadThatMissesValuesSaysSoAndShowsNoDefault) {
  const QString shownExposure = Text(dialog, 1338);
  program.engine.SetTimeLimitCap(100);
  SimFaults faults;
  faults.fault = SimFault::NoReply;
  faults.onlyCommand = "PE";
  program.server.SetFaults(faults);
  program.camera->Exchange("PE=4321\r\n");

  dialog.Menu().Run(menu::kReload);
  ASSERT_FALSE(program.messages.messages.empty());
  const auto& message = program.messages.messages.back();
  EXPECT_EQ(message.caption, "Communication Error");
  for (const char* part : {"could not be read (no reply", "Not read: Exposure Time."})
    EXPECT_NE(message.text.find(part), std::string::npos) << message.text;
  EXPECT_EQ(Text(dialog, 1338), shownExposure) << "no default shown as the camera's";
}

TEST_F(MainDialogFiles, StoreSettingsGoesToTheChosenArea) {
  std::vector<bool> asked;
  dialog.Files().SetAreaChooser([&](bool storing) -> std::optional<int> {
    asked.push_back(storing);
    return 2;
  });
  program.wire.lines.clear();
  dialog.Menu().Run(menu::kStoreSettings);
  EXPECT_EQ(asked, std::vector<bool>{true});
  EXPECT_EQ(program.SentSettings(), std::vector<std::string>{"SA=2"});
}

// A typo in settings.ini costs only its own line, and the operator is told where the file as
// it was went. The stored factory control mode survives it and opens the factory functions.
TEST(MainDialogStart, ADamagedSettingsFileIsReportedOnceAndItsGoodValuesStay) {
  TempFolder folder;
  std::ofstream(folder / "settings.ini") << "Control Mode=number:1\nBaudrate=numbr:9600\n";
  Program program(folder.Path());
  CVistrelDlg& dialog = program.Start();

  ASSERT_TRUE(program.settings.KeptAsideCopy().has_value());
  const std::string copy = *program.settings.KeptAsideCopy();
  ASSERT_EQ(program.messages.messages.size(), 1u);
  EXPECT_NE(program.messages.messages[0].text.find(copy), std::string::npos);
  EXPECT_EQ(program.messages.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(dialog.TabTitles(), kUserTabs + QStringList{"Factory A"});
  EXPECT_TRUE(dialog.Menu().UtilityMenu()->menuAction()->isEnabled());
}

// Closes the modal window the next menu command opens, once it is up.
void CloseModalSoon(std::vector<QString>& titles) {
  QTimer::singleShot(0, [&titles] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      titles.push_back(modal->windowTitle());
      modal->close();
    }
  });
}

TEST_F(MainDialog, MenuItemsOpenTheirWindows) {
  std::vector<QString> titles;
  for (int id : {menu::kAbout, menu::kEditUserId, menu::kEditCameraId}) {
    CloseModalSoon(titles);
    EXPECT_TRUE(dialog.Menu().Run(id));
  }
  EXPECT_EQ(titles, (std::vector<QString>{"About This Control", "User Id", "Camera Id"}));

  ASSERT_NE(dialog.Menu().Action(menu::kMotorLens), nullptr);
  EXPECT_EQ(dialog.Menu().Action(menu::kMotorLens)->text(), "&Motor lens");
  dialog.Menu().Action(menu::kMotorLens)->trigger();
  EXPECT_TRUE(dialog.Identity().MotorLens().isVisible());
  EXPECT_EQ(dialog.Identity().MotorLens().windowTitle(), "Motor Lens");
  dialog.Tools().Terminal().hide();
  EXPECT_TRUE(dialog.Menu().Run(menu::kOpenTerminal));
  EXPECT_TRUE(dialog.Tools().Terminal().isVisible());
}

TEST_F(MainDialog, XmlWriteFollowsTheDigitsAndTheLink) {
  QWidget* write = dialog.Registry().FindControl(2602);
  ASSERT_NE(write, nullptr);
  EXPECT_FALSE(write->isEnabled()) << "empty fields";
  for (const auto& [id, digit] : {std::pair{2598, "1"}, {2599, "0"}, {2600, "3"}})
    qobject_cast<QLineEdit*>(dialog.Registry().FindControl(id))->setText(digit);
  EXPECT_TRUE(write->isEnabled());
  program.notifier.SetOffline();
  EXPECT_FALSE(write->isEnabled());
  program.notifier.SetOnline();
  EXPECT_TRUE(write->isEnabled());
}

}  // namespace
}  // namespace vistrel::test
