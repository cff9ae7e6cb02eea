// vistrelctl on cameras served over the network by ser2net: telnet with COM port control
// (rfc2217://) and raw TCP (socket://), in front of simulated cameras on pseudo-terminals.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "cli/CliFixture.h"
#include "sim/PtyServer.h"
#include "support/Recorders.h"
#include "support/Ser2net.h"
#include "transport/CCommunication.h"
#include "transport/PortWatcher.h"
#include "transport/TelnetSession.h"

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
    EXPECT_TRUE(out_.str().starts_with("TI=1\nSTRG=0\nTA=")) << out_.str();
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

// A server on 127.0.0.1 that never lets up: it sends `opening` and then `chunk` over and
// over (a pause after each when `trickle`), and counts what the client sends it.
class HostileServer {
 public:
  HostileServer(std::string opening, std::string chunk, bool trickle) {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::listen(listen_, 4) == 0 &&
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([=, this] { Serve(opening, chunk, trickle); });
  }
  ~HostileServer() {
    stop_ = true;
    thread_.join();
    ::close(listen_);
  }
  int Port() const { return port_; }
  size_t Received() const { return received_; }

 private:
  void Serve(std::string next, const std::string& chunk, bool trickle) {
    pollfd waiting = {listen_, POLLIN, 0};
    while (!stop_ && ::poll(&waiting, 1, 20) != 1) {
    }
    const int client = stop_ ? -1 : ::accept(listen_, nullptr, nullptr);
    while (!stop_ && ::send(client, next.data(), next.size(), MSG_NOSIGNAL) > 0) {
      char sink[4096];
      if (const ssize_t n = ::recv(client, sink, sizeof sink, MSG_DONTWAIT); n > 0)
        received_ += size_t(n);
      if (trickle)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      next = chunk;
    }
    ::close(client);
  }

  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> received_{0};
  std::thread thread_;
};

// Whatever such a server sends (telnet NOPs without end, a subnegotiation that never ends,
// one byte at a time, the same option requests over and over), a run gives up within its
// limits: without the COM port control option it is no channel, and with --raw-ok its
// silence is no reply. The client sends its greeting, its queries and one answer to each
// option asked, never without end.
TEST_F(CliTest, HostileNetworkServersAreGivenUpWithinTheLimits) {
  using T = TelnetSession;
  std::string nops, asks;
  for (int i = 0; i < 1000; ++i) {
    nops += {char(T::kIac), char(241)};
    asks += {char(T::kIac), char(T::kDo), 7, char(T::kIac), char(T::kWill), 7};
  }
  const std::string sub{char(T::kIac), char(T::kSb), char(T::kComPortOption)};
  const std::string filler(4096, 'x');
  struct Case {
    std::string opening, chunk;
    bool trickle;
    const char* scheme;
    bool rawOk;
    int status;
  };
  const Case cases[] = {
      {nops, nops, false, "rfc2217://", false, kExitNoChannel},
      {nops, nops, false, "rfc2217://", true, kExitTimeout},
      {sub, filler, false, "rfc2217://", false, kExitNoChannel},
      {sub, filler, false, "rfc2217://", true, kExitTimeout},
      {"x", "x", true, "rfc2217://", false, kExitNoChannel},
      {"x", "x", true, "RFC2217://", true, kExitTimeout},
      {"x", "x", true, "SOCKET://", false, kExitTimeout},
      {asks, asks, false, "rfc2217://", false, kExitNoChannel},
      {asks, asks, false, "rfc2217://", true, kExitTimeout},
  };
  for (const Case& c : cases) {
    HostileServer server(c.opening, c.chunk, c.trickle);
    ASSERT_NE(server.Port(), 0);
    device_ = c.scheme + std::string("127.0.0.1:") + std::to_string(server.Port());
    // Every server here must be given up, so the limit can be short.
    std::vector<std::string> args{"--timeout", "50", "get", "TI"};
    if (c.rawOk)
      args.insert(args.begin(), "--raw-ok");
    EXPECT_EQ(Run(args), c.status) << device_ << (c.rawOk ? " --raw-ok\n" : "\n") << err_.str();
    EXPECT_LE(server.Received(), 512u) << device_;
  }
}

}  // namespace
}  // namespace vistrel
