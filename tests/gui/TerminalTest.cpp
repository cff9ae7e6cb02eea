#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>
#include <QtWidgets/QPushButton>
#include <fstream>

#include "GuiFixture.h"
#include "ui/CommunicationDialog.h"
#include "ui/TerminalDialog.h"
#include "ui/TrafficLogModel.h"

namespace vistrel::test {
namespace {

struct Terminal {
  Terminal() {
    LogFolderAccess access{[this] { return folder; }, [this](const std::string& f) { folder = f; }};
    dialog = std::make_unique<CTerminalDialog>(messages, notifier, locks, access);
    dialog->SetWriter([this](const std::string& text) {
      written.push_back(text);
      return true;
    });
  }
  ScriptedPresenter messages;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
  std::string folder = "/tmp";
  std::vector<std::string> written;
  std::unique_ptr<CTerminalDialog> dialog;
};

TEST(Terminal, StampShowsMinuteSecondAndMillisecondInUtc) {
  using namespace std::chrono;
  // 2024-01-02 12:34:56.789 UTC
  const system_clock::time_point when =
      system_clock::time_point(seconds(1704198896)) + milliseconds(789);
  Terminal terminal;
  terminal.dialog->SetClock([when] { return when; });
  terminal.dialog->AddFormattedLine("Tx: %s=%d", "PE", 100);
  EXPECT_EQ(terminal.dialog->Log().Line(0), "34:56:789  Tx: PE=100");
}

TEST(Terminal, KeepsTheNewest32786LinesAndSavesNewestFirst) {
  Terminal terminal;
  for (int i = 1; i <= 32787; ++i)
    terminal.dialog->AddLine("line " + std::to_string(i));
  TrafficLogModel& log = terminal.dialog->Log();
  ASSERT_EQ(log.Count(), 32786);

  TempFolder folder;
  const std::string path = folder.Path() + "/traffic.csv";
  terminal.messages.files = {path};
  terminal.dialog->OnSave();
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);)
    lines.push_back(line);
  ASSERT_EQ(lines.size(), 32786u);
  EXPECT_TRUE(lines.front().ends_with("line 32787"));
  EXPECT_TRUE(lines.back().ends_with("line 2"));
  EXPECT_EQ(terminal.folder, folder.Path());
  EXPECT_TRUE(log.Line(0).endsWith("Writing file has been done !"));
  EXPECT_EQ(terminal.messages.fileRequests.back().defaultExtension, "csv");

  terminal.dialog->OnClear();
  EXPECT_EQ(log.Count(), 0);
}

TEST(Terminal, SendingAFileSendsEachLineWithOneLineEndAndSplitsLongOnes) {
  Terminal terminal;
  TempFolder folder;
  const std::string path = folder.Path() + "/commands.txt";
  std::ofstream(path) << "PE=100\r\nTI?\n" << std::string(1500, 'A');  // CR LF and LF lines
  terminal.dialog->SendFile(path);
  EXPECT_EQ(terminal.written,
            (std::vector<std::string>{"PE=100\r\n", "TI?\r\n", std::string(1023, 'A') + "\r\n",
                                      std::string(477, 'A') + "\r\n"}));
  terminal.dialog->SendFile(folder.Path() + "/missing.txt");
  EXPECT_EQ(terminal.written.size(), 4u);
}

TEST(Terminal, ControlsFollowTheWindowSize) {
  Terminal terminal;
  terminal.dialog->resize(600, 400);
  terminal.dialog->show();
  auto* log = terminal.dialog->findChild<QListView*>("c1004");
  auto* close = terminal.dialog->findChild<QPushButton*>("c1007");
  EXPECT_EQ(log->geometry(), QRect(10, 42, 600 - 80 - 10, 400 - 20 - 42));
  EXPECT_EQ(close->geometry(), QRect(530, 10, 60, 20));
}

TEST(Terminal, SendGoesToTheCameraAndTheAnswerComesBackInBothLogs) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  CTerminalDialog& terminal = dialog.Tools().Terminal();
  terminal.Log().Clear();
  dialog.Tools().Communication().Log().Clear();

  auto* send = terminal.findChild<QPushButton*>("c1003");
  auto* line = terminal.findChild<QLineEdit*>("c1001");
  for (const char* text : {"MD?", "TI?"}) {
    terminal.SetCommandLine(text);
    send->click();
    EXPECT_EQ(terminal.CommandLine(), "");  // ready for the next line
    Pump(300);                              // the engine's idle drain picks up the answer
  }
  QStringList recalled;
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
    QTest::keyClick(line, key);
    recalled << terminal.CommandLine();
  }
  EXPECT_EQ(recalled, (QStringList{"TI?", "MD?", "MD?", "TI?", ""}));

  TrafficLogModel& log = terminal.Log();
  ASSERT_EQ(log.Count(), 4);
  EXPECT_TRUE(log.Line(1).endsWith("  Tx: TI?"));
  EXPECT_TRUE(log.Line(0).endsWith("  Rx: TI=" + QString::number(*program.CameraValue("TI"))));
  TrafficLogModel& commandLog = dialog.Tools().Communication().Log();
  ASSERT_EQ(commandLog.Count(), 4);
  EXPECT_EQ(commandLog.Line(1), "Tx: TI?");
}

}  // namespace
}  // namespace vistrel::test
