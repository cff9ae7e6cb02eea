// vistrelctl on cameras served over the network by ser2net: telnet with COM port control
// (rfc2217://) and raw TCP (socket://), in front of simulated cameras on pseudo-terminals.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "cli/CliFixture.h"
#include "sim/PtyServer.h"
#include "support/Recorders.h"
#include "support/Ser2net.h"
#include "transport/CCommunication.h"
#include "transport/PortWatcher.h"

namespace vistrel {
namespace {

using test::Ser2net;

// The program's channel on its own, as the desktop program holds it (no stored write-back).
struct DirectLink {
  explicit DirectLink(const std::string& folder)
      : settings(folder, StoredSettings::ShutdownMarker::Leave),
        channel(settings, messages, traffic) {
    channel.SetWriteBack(false);
  }
  StoredSettings settings;
  test::RecordingPresenter messages;
  NullTrafficSink traffic;
  CCommunication channel;
};

class NetworkPortTest : public CliTest {
 protected:
  // Serves one simulated camera per kind through ser2net; device_ is the first one's address.
  void SetUp() override {
    if (!Ser2net::Available())
      GTEST_SKIP() << "ser2net is not installed (scripts/install-deps installs it)";
  }

  void Serve(const std::vector<Ser2net::Kind>& kinds, SimFaults faults = {}) {
    std::vector<Ser2net::Served> served;
    for (Ser2net::Kind kind : kinds) {
      PtyServerOptions options;
      options.faults = faults;
      cameras_.push_back(
          std::make_unique<PtyServer>(std::make_shared<SimPeer>(SimConfig{}), options));
      std::string error;
      ASSERT_TRUE(cameras_.back()->Start(&error)) << error;
      served.push_back({cameras_.back()->SlavePath(), kind});
    }
    std::string error;
    ASSERT_TRUE(server_.Start(served, error)) << error;
    device_ = server_.Url(0);
  }

  std::vector<std::unique_ptr<PtyServer>> cameras_;
  Ser2net server_;
};

TEST_F(NetworkPortTest, PassesThroughRfc2217AndRawPorts) {
  Serve({Ser2net::Kind::Rfc2217, Ser2net::Kind::Raw});
  for (size_t port = 0; port < 2; ++port) {
    device_ = server_.Url(port);
    SCOPED_TRACE(device_);
    EXPECT_EQ(Run({"set", "TI=1"}), kExitOk) << err_.str();
    EXPECT_EQ(Run({"--user", "dump"}), kExitOk) << err_.str();
    EXPECT_TRUE(out_.str().starts_with("TI=1\nTA=")) << out_.str();
  }
}

// The rate chosen reaches the remote UART: the pseudo-terminal's own line settings, looked at
// while the connection is open (the server restores them when it closes the port).
TEST_F(NetworkPortTest, BaudRateChangeReachesTheServersPort) {
  Serve({Ser2net::Kind::Rfc2217});
  DirectLink link(SettingsFolder());
  ASSERT_TRUE(link.channel.OpenDevice(device_, 38400));
  EXPECT_EQ(cameras_[0]->LineSpeed(), 38400);
  for (uint32_t rate : {9600u, 115200u}) {
    ASSERT_TRUE(link.channel.OpenBaudRate(rate));
    EXPECT_EQ(cameras_[0]->LineSpeed(), int(rate));
    ASSERT_TRUE(link.channel.Write("MD?\r\n"));
    char reply[4] = {};
    EXPECT_EQ(link.channel.Read(reply, 3, 2000), 3) << "no reply at " << rate << " baud";
    EXPECT_EQ(std::string(reply), "MD=");
  }
  EXPECT_TRUE(link.messages.messages.empty());
}

// A server that goes away is a lost channel; the port watcher connects again once it is back.
TEST_F(NetworkPortTest, WatcherReconnectsWhenTheServerIsBack) {
  Serve({Ser2net::Kind::Rfc2217});
  DirectLink link(SettingsFolder());
  PortWatcher watcher(link.channel);
  ASSERT_TRUE(link.channel.OpenDevice(device_, 115200));
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None);
  server_.Stop();
  char byte = 0;
  link.channel.Read(&byte, 1, 5000);  // returns when the connection closes
  ASSERT_TRUE(link.channel.Lost());
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::Lost);
  EXPECT_FALSE(link.channel.IsOpen());
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::None) << "nobody listens";
  std::string error;
  ASSERT_TRUE(server_.Restart(error)) << error;
  EXPECT_EQ(watcher.Poll(), PortWatcher::Event::Reopened);
  ASSERT_TRUE(link.channel.Write("MD?\r\n"));
  char reply[4] = {};
  EXPECT_EQ(link.channel.Read(reply, 3, 2000), 3);
  EXPECT_TRUE(link.messages.messages.empty()) << link.messages.messages[0].text;
}

// A network port stored as the channel is listed, opened by runs that name no channel, and
// given up when a COM port is stored.
TEST_F(NetworkPortTest, StoredNetworkPortIsTheChoice) {
  Serve({Ser2net::Kind::Rfc2217});
  EXPECT_EQ(Run({"channel", "set", "--device", "socket://host"}, false), kExitUsage);
  ASSERT_EQ(Run({"channel", "set", "--device", device_, "--baud", "57600"}, false), kExitOk)
      << err_.str();
  EXPECT_EQ(Run({"ports"}, false), kExitOk);
  EXPECT_TRUE(OutHas("network\t-\t" + device_ + "\t-\t-\t-\t-\t*\n"));
  EXPECT_EQ(Run({"info"}, false), kExitOk) << err_.str();

  ASSERT_EQ(Run({"channel", "set", "--port", "0"}, false), kExitOk);
  EXPECT_EQ(Run({"ports", "--all"}, false), kExitOk);
  EXPECT_FALSE(OutHas(device_));
}

// A telnet server without COM port control is named as such; only --raw-ok uses it.
TEST_F(NetworkPortTest, ServerWithoutComPortControl) {
  Serve({Ser2net::Kind::Telnet});
  EXPECT_EQ(Run({"info"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("does not offer the telnet COM port control option"));
  EXPECT_TRUE(ErrHas("--raw-ok"));
  EXPECT_EQ(Run({"--raw-ok", "info"}), kExitOk) << err_.str();
  EXPECT_TRUE(ErrHas("the baud rate is the server's"));
}

// A server that goes away mid-pass: the pass fails at once and leaves no file behind; the
// address that is no longer served cannot be opened, with the reason and what to check.
TEST_F(NetworkPortTest, ConnectionClosedMidPass) {
  SimFaults faults;
  faults.fault = SimFault::HangUp;
  faults.afterLines = 20;
  Serve({Ser2net::Kind::Rfc2217}, faults);
  const std::string file = PathOf("partial.cam");
  const int status = Run({"--user", "save", file});
  EXPECT_NE(status, kExitOk);
  EXPECT_NE(status, kExitNoChannel) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(file));

  device_ = "rfc2217://127.0.0.1:" + std::to_string(Ser2net::FreePort());
  EXPECT_EQ(Run({"info"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("Connection refused"));
  device_ = "rfc2217://127.0.0.1";
  EXPECT_EQ(Run({"info"}), kExitNoChannel);
  EXPECT_TRUE(ErrHas("rfc2217://HOST:PORT"));
}

}  // namespace
}  // namespace vistrel
