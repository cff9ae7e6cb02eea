#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/SimPeer.h"

namespace vistrel {

// Ways the line misbehaves, for tests of the program's error handling.
enum class SimFault {
  None,
  NoReply,        // the line is lost: no reply, the camera never sees it
  LateReply,      // the reply comes lateMs after the line
  Garbage,        // the reply is replaced by bytes that are not a reply (still ended by CR LF)
  OtherReply,     // the reply is the camera's answer to another command
  NoLineEnd,      // the reply lacks its CR LF
  HangUp,         // the line is hung up (the pseudo-terminal closes) when the line arrives
  LetterInValue,  // a value reply carries a letter O for its second character (1O000)
  ReplyValue,     // a value reply carries replyValue as its value
};

struct SimFaults {
  SimFault fault = SimFault::None;
  int lateMs = 0;
  std::string onlyCommand;  // the fault hits only lines for this command; empty: every line
  int afterLines = 0;       // lines answered normally (since the faults were set) first
  std::string replyValue;   // for ReplyValue
};

struct PtyServerOptions {
  int baud = 0;          // > 0: each reply byte takes 10/baud seconds, as on the wire
  std::string linkPath;  // a symbolic link to the slave device, made at start, removed at stop
  SimFaults faults;
};

// Serves a simulated camera on a new pseudo-terminal from a background thread. Open
// SlavePath() like a serial device (raw mode) to talk to the camera.
//
//   PtyServer server(std::make_shared<SimPeer>(config));
//   if (!server.Start(&error)) ...
//   open(server.SlavePath().c_str(), O_RDWR | O_NOCTTY) ...
//   server.Stop();  // also done by the destructor
class PtyServer {
 public:
  explicit PtyServer(std::shared_ptr<SimPeer> camera, PtyServerOptions options = {});
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the pseudo-terminal (and the link) and starts serving. False with `error` set
  // when that fails.
  bool Start(std::string* error = nullptr);
  // The slave device, for example /dev/pts/7; empty before Start.
  const std::string& SlavePath() const { return slavePath_; }
  // Stops serving, closes the pseudo-terminal and removes the link. Safe to call twice.
  void Stop();

  void SetFaults(const SimFaults& faults);
  // True once a hang-up fault has closed the line.
  bool HungUp() const { return hungUp_; }
  SimPeer& Camera() { return *camera_; }
  // The baud rate the program on the slave side set the line to (0 when it is none of the
  // usual rates or the line is closed), as the camera's UART would see it.
  int LineSpeed() const;

 private:
  void Serve();

  std::shared_ptr<SimPeer> camera_;
  PtyServerOptions options_;
  std::mutex faultsMutex_;
  SimFaults faults_;
  bool faultsChanged_ = false;
  std::string slavePath_;
  int master_ = -1;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  bool linkMade_ = false;
  std::atomic<bool> hungUp_{false};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace vistrel
