#include "cli/CliSession.h"

#include <ostream>

#include "cli/Cli.h"
#include "sim/InProcessCamera.h"
#include "transport/ComPortNames.h"

namespace vistrel {

CliSession::CliSession(const ChannelOptions& options, std::ostream& out, std::ostream& err)
    : options_(options),
      out_(out),
      err_(err),
      settings_(SettingsFolder(), StoredSettings::ShutdownMarker::Leave),
      presenter_(err, options.yes),
      stderrTraffic_(err),
      progress_(err),
      comm_(settings_, presenter_,
            options.log ? static_cast<ITrafficSink&>(stderrTraffic_) : noTraffic_),
      engine_(comm_, presenter_),
      table_(presenter_),
      camera_(engine_, table_, presenter_) {
  if (const std::optional<std::string> notice = settings_.Notice())
    err_ << "vistrelctl: " << *notice << '\n';
  if (options.timeoutMs)
    engine_.SetTimeLimitCap(*options.timeoutMs);
  if (options.log)
    engine_.SetTrafficSink(&stderrTraffic_);
  camera_.SetProgress(&progress_);
  if (options.factory) {
    camera_.factoryMode = true;
  } else if (!options.user) {
    camera_.factoryMode = settings_.GetStoredNumber(kStoredControlMode, 0).value == 1;
  }
  // Channel options are for this run only: the stored choice stays as it was.
  comm_.SetWriteBack(!options.OverridesChannel());
}

CliSession::~CliSession() {
  comm_.Close();
  simulator_.reset();
}

int CliSession::Open() {
  const uint32_t baud =
      options_.baud.value_or(options_.OverridesChannel() ? 9600 : comm_.GetBaudRate());
  bool opened = false;
  std::string what;
  if (options_.simulate) {
    std::string error;
    simulator_ = StartInProcessCamera(*options_.simulate, error);
    what = "the simulated camera" + (error.empty() ? "" : " (" + error + ")");
    opened = simulator_ && comm_.OpenDevice(simulator_->DevicePath(), baud);
  } else if (!options_.device.empty()) {
    what = options_.device;
    opened = comm_.OpenDevice(options_.device, baud);
  } else if (options_.port) {
    what = ComPortName(static_cast<int>(*options_.port));
    opened = comm_.Open(0, baud, *options_.port);
  } else if (options_.cl2000) {
    what = "Camera Link 2000 port " + std::to_string(*options_.cl2000);
    comm_.SetMode(1);
    comm_.GetPortCount();
    opened = comm_.Open(1, baud, *options_.cl2000);
  } else if (options_.cl2001) {
    what = "Camera Link 2001 port " + std::to_string(*options_.cl2001);
    comm_.SetMode(2);
    comm_.GetPortCount();
    opened = comm_.Open(2, baud, *options_.cl2001);
  } else if (options_.clVer11) {
    what = "Camera Link ver.1.1 port " + std::to_string(*options_.clVer11);
    comm_.SetMode(3);
    comm_.GetPortCount();
    opened = comm_.Open(3, baud, *options_.clVer11);
  } else {
    what = "the stored channel";
    if (comm_.GetMode() != 0)
      comm_.GetPortCount();
    // A rate given for the run replaces the stored one for this run only.
    opened = options_.baud ? comm_.OpenBaudRate(baud) : comm_.Reopen();
  }
  if (!opened) {
    err_ << "vistrelctl: could not open " << what << '\n';
    return kExitNoChannel;
  }
  return kExitOk;
}

int CliSession::FailureStatus() {
  // An operation that failed after a good last exchange failed on what the camera said.
  const Outcome last = engine_.LastOutcome();
  return last == Outcome::Done ? kExitRefused : ExitStatusFor(last);
}

int CliSession::CheckCameraAnswers() {
  if (CheckModel(engine_, presenter_, camera_.model))
    return kExitOk;
  const Outcome outcome = engine_.LastOutcome();
  if (outcome == Outcome::NoReply || outcome == Outcome::ChannelLost) {
    const std::string holders = comm_.OtherProgramsOnPort();
    err_ << "vistrelctl: the camera does not answer (" << OutcomeText(outcome) << ")"
         << (holders.empty() ? "" : "; " + holders) << '\n';
  } else {
    err_ << "vistrelctl: the camera did not answer the model query\n";
  }
  return FailureStatus();
}

}  // namespace vistrel
