#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "camera/CameraSession.h"
#include "cli/ChannelOptions.h"
#include "cli/TerminalFrontEnd.h"
#include "core/Command.h"
#include "core/ParameterTable.h"
#include "transport/CCommunication.h"
#include "transport/StoredSettings.h"

namespace vistrel {

class InProcessCamera;

// Everything a camera command of vistrelctl works with, built for one run.
class CliSession {
 public:
  CliSession(const ChannelOptions& options, std::ostream& out, std::ostream& err);
  ~CliSession();

  // Opens the channel; kExitOk, or kExitNoChannel after saying why.
  int Open();
  // The exit status after a failed exchange: no reply or a lost channel (3), a refusal (1).
  int FailureStatus();
  // Queries the model first: a camera that does not answer it ends the command at once with
  // a message and the time-out status. kExitOk when the model is known.
  int CheckCameraAnswers();

  Command& Engine() { return engine_; }
  CameraSession& Camera() { return camera_; }
  CCommunication& Channel() { return comm_; }
  TerminalPresenter& Presenter() { return presenter_; }
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
  CCommunication comm_;
  Command engine_;
  ParameterTable table_;
  CameraSession camera_;
  std::unique_ptr<InProcessCamera> simulator_;
};

}  // namespace vistrel
