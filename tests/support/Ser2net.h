#pragma once

// ser2net serving pseudo-terminals on 127.0.0.1, for tests of the network ports: each device
// gets a free TCP port chosen at start, with the telnet COM port control option (rfc2217://)
// or raw (socket://). The configuration is generated into a temporary folder.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/SimProgram.h"
#include "support/TestEnvironment.h"

namespace vistrel::test {

#ifdef VISTREL_SER2NET_PROGRAM
inline constexpr const char* kSer2netProgram = VISTREL_SER2NET_PROGRAM;
#else
inline constexpr const char* kSer2netProgram = "";
#endif

class Ser2net {
 public:
  // How a device is served: telnet with the COM port control option, telnet without it, or
  // the bytes as they are.
  enum class Kind { Rfc2217, Telnet, Raw };
  struct Served {
    std::string device;
    Kind kind = Kind::Rfc2217;
  };

  // Off: ser2net passes serial bytes on as they come instead of gathering them for a few
  // character times (its setting for low latency).
  bool charDelay = true;

  static bool Available() { return *kSer2netProgram != '\0'; }

  // Starts ser2net in the foreground for `ports` and waits until every port accepts
  // connections. False with `error` set when that fails.
  bool Start(const std::vector<Served>& ports, std::string& error) {
    std::ofstream yaml(folder_.File("ser2net.yaml"));
    for (size_t i = 0; i < ports.size(); ++i) {
      const int port = FreePort();
      if (port <= 0) {
        error = "no free TCP port";
        return false;
      }
      const Kind kind = ports[i].kind;
      urls_.push_back(std::string(kind == Kind::Raw ? "socket" : "rfc2217") +
                      "://127.0.0.1:" + std::to_string(port));
      tcpPorts_.push_back(port);
      yaml << "connection: &port" << i << "\n"
           << "  accepter: "
           << (kind == Kind::Rfc2217  ? "telnet(rfc2217),tcp,"
               : kind == Kind::Telnet ? "telnet,tcp,"
                                      : "tcp,")
           << "127.0.0.1," << port << "\n"
           << "  connector: serialdev," << ports[i].device << ",115200n81,local\n"
           << "  options:\n    kickolduser: true\n"
           << (charDelay ? "" : "    chardelay: false\n");
    }
    yaml.close();
    return Restart(error);
  }

  // Ends ser2net at once (its connections close as with a crash or a network cut).
  void Stop() { program_.reset(); }

  // Starts ser2net again with the same ports.
  bool Restart(std::string& error) {
    program_ = std::make_unique<SimProgram>(
        std::vector<std::string>{"-n", "-d", "-u", "-c", folder_.File("ser2net.yaml")},
        kSer2netProgram);
    for (int port : tcpPorts_) {
      if (!WaitForListener(port)) {
        error = "ser2net does not listen on 127.0.0.1:" + std::to_string(port);
        return false;
      }
    }
    return true;
  }

  const std::string& Url(size_t index) const { return urls_.at(index); }

  // A TCP port nobody listens on now.
  static int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = -1;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
      port = ntohs(address.sin_port);
    ::close(fd);
    return port;
  }

 private:
  // Whether a listening socket on `port` is there: read from the kernel's table, so that no
  // probing connection takes the port from the test.
  static bool Listening(int port) {
    std::ifstream table("/proc/net/tcp");
    char hex[8];
    std::snprintf(hex, sizeof hex, ":%04X", port);
    const std::string local = std::string("0100007F") + hex;
    for (std::string line; std::getline(table, line);) {
      // The state column of a listening socket is 0A.
      if (line.find(local) != std::string::npos && line.find(" 0A ") != std::string::npos)
        return true;
    }
    return false;
  }

  static bool WaitForListener(int port) {
    constexpr auto kStartLimit = std::chrono::seconds(10);
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Listening(port))
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  TempFolder folder_;
  std::unique_ptr<SimProgram> program_;
  std::vector<std::string> urls_;
  std::vector<int> tcpPorts_;
};

}  // namespace vistrel::test
