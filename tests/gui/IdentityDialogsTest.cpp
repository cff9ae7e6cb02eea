// The identity windows and the motor lens window on the offscreen platform, talking to the
// in-process simulated camera.

#include <gtest/gtest.h>

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <fstream>
#include <map>

#include "camera/CameraFixture.h"
#include "support/TestEnvironment.h"
#include "ui/AboutDialog.h"
#include "ui/ButtonDlg.h"
#include "ui/CameraIdDialog.h"
#include "ui/UserIdDialog.h"
#include "ui/WindowLockList.h"

namespace vistrel {
namespace {

constexpr int kUserMode = 0;
constexpr int kFactoryMode = 1;

template <typename T = QLineEdit>
T* Control(QWidget& window, int ctrlId) {
  T* control = window.findChild<T*>(QStringLiteral("c%1").arg(ctrlId));
  EXPECT_NE(control, nullptr) << ctrlId;
  return control;
}

std::string TextOf(QWidget& window, int ctrlId) {
  return Control(window, ctrlId)->text().toStdString();
}

void Click(QWidget& window, int ctrlId) {
  Control<QPushButton>(window, ctrlId)->click();
}

class IdentityDialogTest : public ::testing::Test {
 protected:
  // Answers the queries named in `replies` with the given lines; the rest reach the camera.
  void Answer(std::map<std::string, std::string> replies) {
    f.channel.SetResponder([this, replies](const std::string& text) -> std::string {
      if (auto it = replies.find(text.substr(0, text.find('\r'))); it != replies.end())
        return it->second + "\r\n";
      for (const std::string& prefix : f.channel.refused) {
        if (text.starts_with(prefix))
          return "ERROR: refused for the test\r\n";
      }
      return f.channel.peer.Exchange(text);
    });
  }
  const std::string& LastMessage() const { return f.presenter.messages.back().text; }

  test::CameraFixture f;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
};

TEST_F(IdentityDialogTest, AboutBoxShowsTheCameraAndKeepsPlaceholders) {
  Answer({{"DV?", "DV=1.2.3.45"}});
  {
    CAboutDialog about(f.session, notifier, locks, kUserMode);
    EXPECT_EQ(Control<QLabel>(about, 1000)->text(), "QX-70500-VLNK Vistrel");
    EXPECT_EQ(TextOf(about, 1027), "QX-70500C-VLNK");
    EXPECT_EQ(TextOf(about, 1025), "1.05");
    EXPECT_EQ(TextOf(about, 2412) + TextOf(about, 2413) + TextOf(about, 2414) + TextOf(about, 2415),
              "12345");
  }
  f.channel.refused = {"VN?"};
  CAboutDialog about(f.session, notifier, locks, kUserMode);
  EXPECT_EQ(TextOf(about, 1027), "??????????");
  EXPECT_EQ(TextOf(about, 1026), "??????????");
  EXPECT_EQ(TextOf(about, 1025), "?.??");
  EXPECT_EQ(TextOf(about, 1174), "?.??");
  EXPECT_EQ(TextOf(about, 2630), "?.?.?");
  EXPECT_EQ(TextOf(about, 1031), "????????????????");
}

TEST_F(IdentityDialogTest, AboutBoxWritesTheUserIdOnlyWhenEditable) {
  CAboutDialog about(f.session, notifier, locks, kUserMode);
  QLineEdit* field = Control(about, 1031);
  EXPECT_FALSE(field->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(about, 1175)->isEnabled());
  EXPECT_TRUE(Control<QRadioButton>(about, 1176)->isChecked());
  // Writing the device version is a factory function.
  EXPECT_TRUE(Control<QPushButton>(about, 2416)->isHidden());
  EXPECT_FALSE(Control(about, 2412)->isEnabled());

  Control<QRadioButton>(about, 1177)->click();
  EXPECT_TRUE(field->isEnabled());
  f.channel.written.clear();
  field->setText(QString(16, 'b'));
  Click(about, 1175);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"UD=" + std::string(16, 'b')});

  Control<QRadioButton>(about, 1176)->click();
  EXPECT_FALSE(Control<QPushButton>(about, 1175)->isEnabled());
}

TEST_F(IdentityDialogTest, DeviceVersionIsWrittenInTheFactoryModeFromFourNumbers) {
  CAboutDialog about(f.session, notifier, locks, kFactoryMode);
  EXPECT_FALSE(Control<QPushButton>(about, 2416)->isHidden());
  EXPECT_TRUE(Control(about, 2412)->isEnabled());
  const std::array<const char*, 4> parts{"2", "0", "1", "45"};
  for (size_t i = 0; i < parts.size(); ++i)
    Control(about, ctl::AboutDeviceVersion[i])->setText(parts[i]);
  f.channel.written.clear();
  Click(about, 2416);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"DV=2.0.1.45"});

  for (const char* wrong : {"", "4a"}) {
    Control(about, ctl::AboutDeviceVersion[2])->setText(wrong);
    f.channel.written.clear();
    Click(about, 2416);
    EXPECT_TRUE(f.channel.Lines().empty()) << wrong;
  }
}

TEST_F(IdentityDialogTest, HelpFilesFromBothFoldersOpenTheChosenOne) {
  test::TempFolder current;
  test::TempFolder docs;
  for (const std::string& file : {current / "b.pdf", current / "A.PDF", current / "notes.txt",
                                  docs / "b.pdf", docs / "manual.pdf"})
    std::ofstream(file) << "%PDF";
  std::filesystem::create_directory(current / "folder.pdf");

  CAboutDialog about(f.session, notifier, locks, kUserMode);
  std::vector<std::filesystem::path> opened;
  about.SetOpener([&opened](const std::filesystem::path& path) {
    opened.push_back(path);
    return path.filename() != "manual.pdf";
  });
  about.FillHelpFiles(current.Path(), docs.Path());
  auto* combo = Control<QComboBox>(about, 1241);
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), "A.PDF");
  EXPECT_EQ(combo->itemText(1), "b.pdf");
  EXPECT_EQ(combo->itemText(2), "manual.pdf");
  EXPECT_EQ(combo->currentIndex(), 0);
  combo->setCurrentIndex(1);
  Click(about, 1056);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::filesystem::path(current / "b.pdf")) << "the current folder's first";
  const size_t messages = f.presenter.messages.size();
  combo->setCurrentIndex(2);
  Click(about, 1056);
  EXPECT_EQ(opened.back(), std::filesystem::path(docs / "manual.pdf"));
  ASSERT_EQ(f.presenter.messages.size(), messages + 1);
  EXPECT_EQ(LastMessage(), "Couldn't open \"manual.pdf\".");

  about.FillHelpFiles(docs / "none", docs / "none");
  EXPECT_EQ(combo->count(), 0);
  Click(about, 1056);
  EXPECT_EQ(LastMessage(), "No file was selected !!");
  EXPECT_EQ(f.presenter.messages.back().icon, MessageIcon::Stop);
}

TEST_F(IdentityDialogTest, UserIdDialogReadsAndWrites) {
  ASSERT_EQ(f.channel.peer.Exchange("UD=Line 4\r\n"), "COMPLETE\r\n");
  {
    CUserIdDialog dialog(f.session, notifier, locks);
    EXPECT_EQ(TextOf(dialog, 1044), "Line 4");
    Control(dialog, 1044)->clear();
    Click(dialog, 1049);
    EXPECT_EQ(f.channel.Lines().back(), "UD=") << "an empty user id is sent";
  }
  f.channel.refused = {"UD?"};
  CUserIdDialog dialog(f.session, notifier, locks);
  EXPECT_EQ(TextOf(dialog, 1044), "????????????????");
}

TEST_F(IdentityDialogTest, CameraIdDialogFieldsAndSave) {
  const auto shown = [](QWidget& window) {
    std::string text;
    for (int id : ctl::CameraIdFields)
      text += TextOf(window, id);
    return text;
  };
  Answer({{"ID?", "ID=ABCDEFGHIJKL"}});
  {
    CCameraIdDialog dialog(f.session, notifier, locks, kUserMode);
    EXPECT_EQ(shown(dialog), "ABCDEFGHIJ");
    EXPECT_TRUE(Control<QPushButton>(dialog, 1140)->isHidden());
  }
  Answer({});
  f.channel.refused = {"ID?"};
  CCameraIdDialog dialog(f.session, notifier, locks, kFactoryMode);
  EXPECT_FALSE(Control<QPushButton>(dialog, 1140)->isHidden());
  EXPECT_EQ(TextOf(dialog, 1033), "");
  f.channel.refused.clear();
  f.channel.written.clear();
  const std::string letters = "ABCDEFGHIJ";
  for (size_t i = 0; i < letters.size(); ++i) {
    if (i != 2 && i != 3)
      Control(dialog, ctl::CameraIdFields[i])->setText(QString(letters[i]));
  }
  Click(dialog, 1140);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"ULCK=6183529", "ID=ABEFGHIJ"}));

  // A whole id typed into the first box, or pasted into the third, fills the boxes in turn.
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  Control(dialog, ctl::CameraIdFields[0])->setFocus();
  for (char typed : std::string("KLMNOPQRST"))
    QTest::keyClick(QApplication::focusWidget(), typed);
  EXPECT_EQ(shown(dialog), "KLMNOPQRST");
  QGuiApplication::clipboard()->setText("0123456789");
  QTest::keySequence(Control(dialog, ctl::CameraIdFields[2]), QKeySequence::Paste);
  EXPECT_EQ(shown(dialog), "KL01234567");
}

class MotorLensWindowTest : public IdentityDialogTest {
 protected:
  MotorLensWindowTest() : lens(f.engine) {
    lens.show();
    lens.activateWindow();
    QApplication::setActiveWindow(&lens);
  }
  QPushButton* Button(int ctrlId) { return Control<QPushButton>(lens, ctrlId); }

  CButtonDlg lens;
};

TEST_F(MotorLensWindowTest, PressMovesAndReleaseStopsEvenOffTheButton) {
  QTest::mousePress(Button(40004), Qt::LeftButton);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"MLZ=2"});
  EXPECT_EQ(lens.StatusText(), "Tele");
  QTest::mouseRelease(Button(40004), Qt::LeftButton);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLZ=2", "MLZ=0"}));
  EXPECT_EQ(lens.StatusText(), "");

  // Dragged over another lens button and released there: the started function stops.
  f.channel.written.clear();
  QTest::mousePress(Button(40001), Qt::LeftButton);
  QTest::mouseRelease(Button(40001), Qt::LeftButton, {}, QPoint(75, 45));
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLI=1", "MLI=0"}));
  f.channel.written.clear();
  QTest::mousePress(Button(40005), Qt::LeftButton);
  QTest::mouseRelease(Button(40005), Qt::LeftButton, {}, QPoint(-200, 300));
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLF=1", "MLF=0"}));
  EXPECT_EQ(lens.Held(), CButtonDlg::kNone);
}

TEST_F(MotorLensWindowTest, SpaceActsAsTheMouseAndClosingOrLosingTheFocusStops) {
  Button(40002)->setFocus();
  QTest::keyPress(Button(40002), Qt::Key_Space);
  EXPECT_EQ(lens.StatusText(), "Close");
  QTest::keyRelease(Button(40002), Qt::Key_Space);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLI=2", "MLI=0"}));

  f.channel.written.clear();
  QTest::mousePress(Button(40003), Qt::LeftButton);
  lens.close();
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLZ=1", "MLZ=0"}));

  lens.show();
  f.channel.written.clear();
  Button(40006)->setFocus();
  QTest::keyPress(Button(40006), Qt::Key_Space);
  QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(Button(40006), &focusOut);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MLF=2", "MLF=0"}));
  QTest::keyRelease(Button(40006), Qt::Key_Space);
  EXPECT_EQ(f.channel.Lines().size(), 2u);
}

}  // namespace
}  // namespace vistrel
