#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "GuiFixture.h"
#include "WidgetActions.h"
#include "ui/CommunicationDialog.h"
#include "ui/TrafficLogModel.h"
#include "ui_CommunicationDialog.h"

namespace vistrel::test {
namespace {

// A channel with a few ports; only `cameraPort` has a camera behind it.
class FakeChannel final : public IChannelSetup {
 public:
  bool Reopen() override { return true; }
  void Close() override {}
  int GetMode() const override { return mode; }
  void SetMode(int m) override { mode = m; }
  bool OpenMode(int m) override {
    mode = m;
    opened.push_back("mode " + std::to_string(m));
    return m == 0;
  }
  int GetPortCount() override { return mode == 0 ? ports + (network.empty() ? 0 : 1) : 0; }
  std::string GetPortName(int index) override {
    return index == ports ? network : "COM" + std::to_string(index + 1);
  }
  bool OffersNetworkPort() const override { return offersNetwork && mode == 0; }
  std::string NetworkPort() const override { return network; }
  std::string NetworkPortProblem(const std::string& address) const override {
    return address.starts_with("rfc2217://") ? "" : "no network port: " + address;
  }
  bool OpenNetworkPort(const std::string& address) override {
    opened.push_back("network " + address);
    network = address;
    portIndex = ports;
    return true;
  }
  std::string GetPortDevice(int index) override { return "/dev/ttyS" + std::to_string(index); }
  int GetPortIndex() const override { return portIndex; }
  bool OpenPort(int index) override {
    opened.push_back("port " + std::to_string(index));
    if (index < 0 || index >= ports || index == missingPort)
      return false;
    portIndex = index;
    return true;
  }
  int BaudRateIndex() const override { return baudIndex; }
  bool OpenBaudRateIndex(int index) override {
    baudIndex = index;
    return true;
  }
  int mode = 0;
  int ports = 32;
  int portIndex = 0;
  int baudIndex = 0;
  int cameraPort = -1;
  int missingPort = -1;
  bool offersNetwork = false;
  std::string network;
  std::vector<std::string> opened;
};

class FakeHost final : public ICommunicationHost {
 public:
  explicit FakeHost(FakeChannel& channel) : channel_(channel) {}
  void SetChannelOk(bool ok) override { channelOk = ok; }
  void RefreshState() override {}
  bool CheckModel() override {
    ++modelChecks;
    return channel_.portIndex == channel_.cameraPort;
  }
  void ReadAllSettings() override { ++reads; }
  int ControlMode() const override { return controlMode; }
  void SaveSettingFile() override {}
  void LoadSettingFile() override {}
  void StoreUserSet(int userSet) override { stored.push_back(userSet); }
  void LoadUserSet(int userSet) override { loaded.push_back(userSet); }
  bool channelOk = false;
  int modelChecks = 0;
  int reads = 0;
  int controlMode = 0;
  std::vector<int> stored;
  std::vector<int> loaded;

 private:
  FakeChannel& channel_;
};

struct Window {
  explicit Window(bool normalShutdown = true, int controlMode = 0, int storedPort = 0) {
    channel.mode = 2;
    channel.portIndex = storedPort;
    host.controlMode = controlMode;
    LogFolderAccess folderAccess{[this] { return folder; },
                                 [this](const std::string& f) { folder = f; }};
    dialog = std::make_unique<CCommunicationDialog>(channel, host, messages, notifier, locks,
                                                    folderAccess, normalShutdown);
    dialog->Initialise();
  }
  Ui::CommunicationDialog& Ui() { return dialog->Controls(); }

  FakeChannel channel;
  FakeHost host{channel};
  ScriptedPresenter messages;
  OnlineStatusNotifier notifier;
  WindowLockList locks;
  std::string folder = "/tmp";
  std::unique_ptr<CCommunicationDialog> dialog;
};

// After an abnormal shutdown the dialog starts in the COM ports, on the stored port or, when
// that is outside the list, on the first.
TEST(CommunicationDialog, StartsInTheComPortAfterAnAbnormalShutdown) {
  Window crashed(false);
  EXPECT_EQ(crashed.channel.mode, 0);
  EXPECT_EQ(crashed.Ui().c1011->currentIndex(), 0);
  EXPECT_EQ(crashed.Ui().c1005->count(), 32);
  EXPECT_EQ(crashed.Ui().labelDevice->text().toStdString(), "→ /dev/ttyS0");

  Window normal(true);
  EXPECT_EQ(normal.channel.mode, 2);
  EXPECT_EQ(normal.Ui().c1011->currentIndex(), 2);

  Window outside(false, 0, 40);
  EXPECT_EQ(outside.Ui().c1005->currentIndex(), 0);
  EXPECT_EQ(outside.channel.opened, std::vector<std::string>{"port 0"});
}

// The last entry asks for a network port: a cancel or an address of no network port leaves
// the choice alone; an address is opened and then listed, and offered at the next question.
TEST(CommunicationDialog, NetworkPortEntryAsksForTheAddress) {
  Window window(false);
  window.channel.offersNetwork = true;
  window.dialog->FillPortList();
  std::vector<std::optional<std::string>> answers = {std::nullopt, "ser2net:2000",
                                                     "rfc2217://line-4:2000"};
  std::vector<std::string> offered;
  window.dialog->askNetworkPort = [&](const std::string& current) {
    offered.push_back(current);
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  QComboBox* ports = window.Ui().c1005;
  ASSERT_EQ(ports->count(), 33);
  EXPECT_EQ(ports->itemText(32).toStdString(), CCommunicationDialog::kNetworkPortEntry);
  for (int attempt = 0; attempt < 2; ++attempt) {
    Pick(ports, 32);
    EXPECT_EQ(ports->currentIndex(), 0);
  }
  EXPECT_TRUE(window.channel.opened.empty());
  ASSERT_EQ(window.messages.messages.size(), 1u);
  EXPECT_EQ(window.messages.messages[0].text, "no network port: ser2net:2000");

  Pick(ports, 32);
  EXPECT_EQ(window.channel.opened, std::vector<std::string>{"network rfc2217://line-4:2000"});
  ASSERT_EQ(ports->count(), 34);
  EXPECT_EQ(ports->currentIndex(), 32);
  EXPECT_EQ(ports->itemText(32).toStdString(), "rfc2217://line-4:2000");
  answers = {std::nullopt};
  Pick(ports, 33);
  EXPECT_EQ(offered.back(), "rfc2217://line-4:2000");
  EXPECT_EQ(ports->currentIndex(), 32);
}

TEST(CommunicationDialog, CategoryThatFailsToOpenIsReported) {
  Window window;
  Pick(window.Ui().c1011, 3);
  ASSERT_EQ(window.messages.messages.size(), 1u);
  EXPECT_EQ(window.messages.messages[0].text, "Failed to initialize!");
  EXPECT_EQ(window.messages.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(window.channel.mode, 3);  // the choice stays, to be saved at exit
  Pick(window.Ui().c1011, 3);
  EXPECT_EQ(std::ranges::count(window.channel.opened, "mode 3"), 2);
  // Filling the lists from the program is no choice of the operator.
  window.Ui().c1011->setCurrentIndex(1);
  EXPECT_EQ(std::ranges::count(window.channel.opened, "mode 1"), 0);

  Pick(window.Ui().c1011, 0);
  EXPECT_EQ(window.messages.messages.size(), 2u);  // the retry's: the good category adds none
  EXPECT_TRUE(window.host.channelOk);
  EXPECT_EQ(window.Ui().c1005->count(), 32);
}

TEST(CommunicationDialog, PortChoiceOpensThePortAndReadsAFoundCamera) {
  Window window(false);
  window.channel.cameraPort = 4;
  Pick(window.Ui().c1005, 4);
  EXPECT_TRUE(window.host.channelOk);
  EXPECT_EQ(window.host.reads, 1);
  EXPECT_EQ(window.Ui().labelDevice->text().toStdString(), "→ /dev/ttyS4");
  // The port already chosen, chosen again (the camera was plugged in): opened and read again.
  Pick(window.Ui().c1005, 4);
  EXPECT_EQ(std::ranges::count(window.channel.opened, "port 4"), 2);
  EXPECT_EQ(window.host.reads, 2);
}

TEST(CommunicationDialog, AutoSearchStopsAtTheCameraEvenBeyondTheSixteenthPort) {
  Window window(false);
  window.channel.cameraPort = 20;
  window.Ui().c1243->click();
  EXPECT_TRUE(window.messages.messages.empty());
  EXPECT_EQ(window.Ui().c1005->currentIndex(), 20);
  EXPECT_TRUE(window.notifier.IsOnline());
  EXPECT_EQ(window.host.reads, 1);
  EXPECT_EQ(window.host.modelChecks, 21);
}

TEST(CommunicationDialog, AutoSearchWithoutCameraReportsEveryPortOnceAndReopensThePrevious) {
  Window window(false, 0, 5);
  window.channel.ports = 7;
  window.channel.missingPort = 2;
  window.notifier.SetOnline();
  window.Ui().c1243->click();
  ASSERT_EQ(window.messages.messages.size(), 1u);
  const std::string& text = window.messages.messages[0].text;
  EXPECT_EQ(text.rfind(CCommunicationDialog::kNoAnswer, 0), 0U) << text;
  for (const char* line : {"COM1: no camera answered", "COM3: could not be opened", "COM7: "})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
  EXPECT_EQ(window.messages.messages[0].caption, "Communication Error");
  EXPECT_EQ(window.channel.opened.back(), "port 5");
  EXPECT_FALSE(window.notifier.IsOnline());
  EXPECT_EQ(window.host.reads, 0);
}

TEST(CommunicationDialog, StoreIsEnabledForUserSetsOnly) {
  Window window;
  EXPECT_EQ(window.Ui().c1029->currentText(), "UserSet1");
  EXPECT_TRUE(window.Ui().c1168->isEnabled());
  window.Ui().c1029->setCurrentIndex(0);
  EXPECT_FALSE(window.Ui().c1168->isEnabled());
  window.Ui().c1169->click();
  window.Ui().c1029->setCurrentIndex(3);
  EXPECT_TRUE(window.Ui().c1168->isEnabled());
  window.Ui().c1168->click();
  EXPECT_EQ(window.host.loaded, std::vector<int>{0});
  EXPECT_EQ(window.host.stored, std::vector<int>{3});
}

TEST(CommunicationDialog, BaudRateOnlyInFactoryMode) {
  Window user(true, 0);
  EXPECT_TRUE(user.Ui().c1030->isHidden());
  EXPECT_FALSE(user.Ui().c1030->isEnabled());
  Window factory(true, 1);
  EXPECT_FALSE(factory.Ui().c1030->isHidden());
  Pick(factory.Ui().c1030, 4);
  EXPECT_EQ(factory.channel.baudIndex, 4);
}

TEST(CommunicationDialog, CommandLogKeepsTheNewest4096AndSavesOldestFirst) {
  Window window;
  for (int i = 1; i <= 4097; ++i)
    window.dialog->AddMessage("Tx: line " + std::to_string(i));
  TrafficLogModel& log = window.dialog->Log();
  ASSERT_EQ(log.Count(), 4096);

  TempFolder folder;
  const std::string path = folder.Path() + "/log.txt";
  window.messages.files = {path};
  window.Ui().c1171->click();
  std::ifstream file(path);
  std::string first;
  std::getline(file, first);
  EXPECT_EQ(first, "Tx: line 2");
  EXPECT_EQ(window.folder, folder.Path());
  EXPECT_EQ(log.Line(0), "Writing file has been done!");
  EXPECT_EQ(window.messages.fileRequests.back().defaultExtension, "txt");

  // An existing file is only replaced on Yes.
  window.folder = "/elsewhere";
  window.messages.files = {path};
  window.messages.answers = {false};
  window.Ui().c1171->click();
  EXPECT_EQ(window.folder, "/elsewhere");
  ASSERT_EQ(window.messages.questions.size(), 1u);
  EXPECT_EQ(window.messages.questions[0].text,
            path + "\nThis file already exists.\nReplace existing file?");

  window.Ui().c1172->click();
  EXPECT_EQ(log.Count(), 0);
}

// On the program's own channel: a port that cannot be opened is named once, the simulated
// camera stays when no other answers, and a COM port link to a camera is found.
TEST(CommunicationDialog, AutoOnTheProgramsChannelFindsTheCameraBehindAComPortLink) {
  TestProgram program;
  CVistrelDlg& dialog = program.Start();
  const std::string ports = program.folder.Path() + "/ports";
  std::filesystem::create_directories(ports);
  std::filesystem::create_symlink("/nonexistent/tty0", ports + "/COM1");
  program.messages.messages.clear();
  auto& controls = dialog.Tools().Communication().Controls();
  controls.c1243->click();
  ASSERT_EQ(program.messages.messages.size(), 1u);
  EXPECT_NE(program.messages.messages[0].text.find("COM1: No such file or directory"),
            std::string::npos)
      << program.messages.messages[0].text;
  EXPECT_TRUE(program.notifier.IsOnline());
  EXPECT_TRUE(controls.labelDevice->text().contains("simulated camera"));

  std::filesystem::create_symlink("/nonexistent/tty1", ports + "/COM2");
  std::filesystem::create_symlink(program.server.SlavePath(), ports + "/COM3");
  program.channel.Close();
  program.notifier.SetOffline();
  // A camera slower than a probe is still found: each port gets the model check's time.
  SimFaults late;
  late.fault = SimFault::LateReply;
  late.lateMs = (CVistrelDlg::kProbeMs + CCommunicationDialog::kModelCheckMs) / 2;
  late.onlyCommand = "MD";
  program.server.SetFaults(late);
  controls.c1243->click();
  EXPECT_EQ(controls.c1005->currentIndex(), 2);
  EXPECT_TRUE(program.notifier.IsOnline());
  EXPECT_TRUE(dialog.ChannelOk());
  const QString found =
      QString::fromStdString("Auto: camera found on COM3 (" + program.server.SlavePath() +
                             "), model " + program.session.Model().name + ".");
  EXPECT_EQ(dialog.Status().Note(), found);
  EXPECT_EQ(dialog.Tools().Communication().Log().Line(0), found);
}

}  // namespace
}  // namespace vistrel::test
