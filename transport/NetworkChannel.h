#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "core/Interfaces.h"
#include "transport/NetworkUrl.h"
#include "transport/ReceiveRing.h"
#include "transport/TelnetSession.h"

namespace vistrel {

// A serial port reached over TCP (see NetworkUrl.h): with rfc2217:// a telnet session whose
// COM port control option carries the port settings to the remote UART, with socket:// the
// bytes as they are. Like the COM port it has a receive thread that fills a ReceiveRing, and
// a closed or failed connection marks it lost at once.
class NetworkChannel {
 public:
  // The limits of the COM port: a write that does not go out within this time fails.
  static constexpr int kWriteLimitMs = 20000;
  // Name lookup excluded, the connection and the option negotiation each get this long.
  static constexpr int kConnectLimitMs = 5000;
  // How long a server is given to take up or refuse the COM port control option.
  static constexpr int kNegotiationLimitMs = 2000;
  // The answers the negotiation calls for go out within this time, or the server, which does
  // not read what it asked for, is taken as lost.
  static constexpr int kAnswerLimitMs = 500;

  explicit NetworkChannel(IMessagePresenter& messages);
  ~NetworkChannel();
  NetworkChannel(const NetworkChannel&) = delete;
  NetworkChannel& operator=(const NetworkChannel&) = delete;

  // Connects to `url` and, for rfc2217://, sets the remote port up (eight data bits, no
  // parity, `stopBits` as CRs232c takes it) and empties what the server holds from before.
  // Shows what went wrong and what to do, and returns false, when that fails. A server that
  // does not take up the COM port control option is reported; the channel then passes bytes
  // unchanged if raw use is allowed, else the open fails.
  bool Open(const std::string& url, uint32_t baudRate, int stopBits);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  bool Write(const char* bytes, int length);
  // Takes bytes until `count` have arrived or `limitMs` has passed; never spins.
  int Read(char* buffer, int count, int limitMs);
  // True when the server closed the connection or a write failed since the open.
  bool Lost() const { return writeFailed_ || ring_.Ended(); }
  // Drops what has arrived and has the server drop what it holds from the serial line.
  void PurgeInput();

  // Off: a failed open shows no message (the reconnection of a port that was lost).
  void SetReportFailures(bool report) { reportFailures_ = report; }
  // On: an rfc2217:// server without the COM port control option is used as a raw one.
  void SetRawAllowed(bool allowed) { rawAllowed_ = allowed; }
  void SetConnectLimit(int limitMs) { connectLimitMs_ = limitMs; }
  // Whether the port settings reach the remote UART (an rfc2217:// session that took them).
  bool ControlsPort() const { return controlsPort_; }

 private:
  bool Fail(const std::string& url, const std::string& what, const std::string& advice);
  int Connect(const NetworkUrl& url, std::string& problem) const;
  bool Negotiate(const std::string& url, uint32_t baudRate, int stopBits);
  bool WaitFor(int limitMs, auto&& done);
  bool SendWire(const std::string& wire, int limitMs = kWriteLimitMs);
  void ReceiveLoop();
  void ReceiveUntilClosed();

  IMessagePresenter& messages_;
  bool reportFailures_ = true;
  bool rawAllowed_ = false;
  int connectLimitMs_ = kConnectLimitMs;
  int fd_ = -1;
  int wakeFd_ = -1;
  bool telnet_ = false;  // bytes on the wire are telnet-coded
  bool controlsPort_ = false;
  std::mutex sessionMutex_;  // the telnet session, shared with the receive thread
  std::condition_variable sessionChanged_;
  TelnetSession session_;
  std::mutex writeMutex_;  // one whole message at a time
  ReceiveRing ring_;
  std::thread receiveThread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> writeFailed_{false};
};

}  // namespace vistrel
