#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "camera/CameraSession.h"
#include "cli/TerminalFrontEnd.h"
#include "core/Command.h"
#include "core/ParameterTable.h"
#include "transport/CCommunication.h"
#include "transport/StoredSettings.h"

namespace vistrel {

class InProcessCamera;

// The channel options of one run; none of them changes the stored choice.
struct ChannelOptions {
  std::string device;              // a serial device path, COM port mode
  std::optional<uint32_t> port;    // COM port index, 0 = COM1
  std::optional<uint32_t> cl2000;  // Camera Link library kinds and their port index
  std::optional<uint32_t> cl2001;
  std::optional<uint32_t> clVer11;
  std::optional<uint32_t> baud;
  std::optional<int> timeoutMs;         // caps the time limit of every exchange
  std::optional<std::string> simulate;  // a simulated camera of this model ("" = default)
  bool log = false;
  bool factory = false;
  bool user = false;
  bool yes = false;

  bool OverridesChannel() const {
    return !device.empty() || port || cl2000 || cl2001 || clVer11 || baud || simulate;
  }
};

// Everything a camera command of vistrelctl works with, built for one run.
class CliSession {
 public:
  CliSession(const ChannelOptions& options, std::ostream& out, std::ostream& err);
  ~CliSession();

  // Opens the channel; kExitOk, or kExitNoChannel after saying why.
  int Open();
  // The exit status after a failed exchange: no reply or a lost channel (3), a refusal (1).
  int FailureStatus();

  Command& Engine() { return engine_; }
  CameraSession& Camera() { return camera_; }
  CCommunication& Channel() { return comm_; }
  TerminalPresenter& Presenter() { return presenter_; }
  LinkTracker& Link() { return link_; }
  StoredSettings& Settings() { return settings_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }

 private:
  ChannelOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  StoredSettings settings_;
  TerminalPresenter presenter_;
  StderrTraffic stderrTraffic_;
  NullTrafficSink noTraffic_;
  StderrProgress progress_;
  LinkTracker link_;
  CCommunication comm_;
  Command engine_;
  ParameterTable table_;
  CameraSession camera_;
  std::unique_ptr<InProcessCamera> simulator_;
};

}  // namespace vistrel
