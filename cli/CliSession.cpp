#include "cli/CliSession.h"

#include "core/TextEscape.h"

#include <algorithm>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Verdict.h"
#include "sim/InProcessCamera.h"
#include "transport/ComPortNames.h"

namespace vistrel {
namespace {

// The channel kinds by communication mode, as the operator reads them.
constexpr const char* kModeNames[] = {"COM port", "Camera Link 2000", "Camera Link 2001",
                                      "Camera Link ver.1.1"};

std::string ComPortText(const std::string& folder, uint32_t index) {
  const std::string name = ComPortName(static_cast<int>(index));
  return name + " " + ComPortDevice(folder, name);
}

std::string LibraryPortText(uint32_t mode, uint32_t index) {
  return std::string(kModeNames[mode]) + " port " + std::to_string(index);
}

}  // namespace

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
  if (options.timeoutMs) {
    engine_.SetTimeLimitCap(*options.timeoutMs);
    // A network port's connection and negotiation are waits for replies too.
    comm_.NetworkPort().SetConnectLimit(
        std::min(*options.timeoutMs, NetworkChannel::kConnectLimitMs));
  }
  if (options.log)
    engine_.SetTrafficSink(&stderrTraffic_);
  if (!options.quiet)
    camera_.SetProgress(&progress_);
  if (options.factory) {
    camera_.SetFactoryMode(true);
  } else if (!options.user) {
    camera_.SetFactoryMode(settings_.GetStoredNumber(kStoredControlMode, 0).value == 1);
  }
  comm_.NetworkPort().SetRawAllowed(options.rawOk);
  comm_.SetSharedPort(options.sharedPort);
  // Channel options are for this run only: the stored choice stays as it was.
  comm_.SetWriteBack(!options.OverridesChannel());
}

CliSession::~CliSession() {
  comm_.Close();
  simulator_.reset();
}

uint32_t CliSession::RunBaud() const {
  return options_.baud.value_or(options_.OverridesChannel() ? 9600 : comm_.GetBaudRate());
}

std::string CliSession::ChannelText() {
  if (options_.simulate)
    return "simulated camera";
  std::string where;
  if (!options_.device.empty())
    where = options_.device;
  else if (options_.port)
    where = ComPortText(settings_.Folder(), *options_.port);
  else if (options_.cl2000)
    where = LibraryPortText(1, *options_.cl2000);
  else if (options_.cl2001)
    where = LibraryPortText(2, *options_.cl2001);
  else if (options_.clVer11)
    where = LibraryPortText(3, *options_.clVer11);
  else if (comm_.GetMode() >= std::size(kModeNames))
    where = "stored channel kind " + std::to_string(comm_.GetMode());
  else if (comm_.GetMode() != 0)
    where = LibraryPortText(comm_.GetMode(), comm_.GetPortIndex());
  else if (!comm_.GetComDevice().empty())
    where = comm_.GetComDevice();
  else
    where = ComPortText(settings_.Folder(), comm_.GetPortIndex());
  return where + " " + std::to_string(RunBaud());
}

int CliSession::Open() {
  const uint32_t baud = RunBaud();
  bool opened = false;
  std::string error;
  if (options_.simulate) {
    simulator_ = StartInProcessCamera(*options_.simulate, error);
    opened = simulator_ && comm_.OpenDevice(simulator_->DevicePath(), baud);
  } else if (!options_.device.empty()) {
    opened = comm_.OpenDevice(options_.device, baud);
  } else if (options_.port) {
    opened = comm_.Open(0, baud, *options_.port);
  } else if (options_.cl2000 || options_.cl2001 || options_.clVer11) {
    const uint32_t mode = options_.cl2000 ? 1 : options_.cl2001 ? 2 : 3;
    comm_.SetMode(mode);
    comm_.GetPortCount();
    opened = comm_.Open(mode, baud,
                        *(options_.cl2000   ? options_.cl2000
                          : options_.cl2001 ? options_.cl2001
                                            : options_.clVer11));
  } else {
    if (comm_.GetMode() != 0)
      comm_.GetPortCount();
    // A rate given for the run replaces the stored one for this run only.
    opened = options_.baud ? comm_.OpenBaudRate(baud) : comm_.Reopen();
  }
  if (opened)
    return kExitOk;
  if (const std::optional<PortRefusal> refusal = comm_.PortRefusalOfOpen())
    return FailOnHolder(*refusal);
  if (const std::string problem = comm_.LibraryProblemOfOpen(); !problem.empty()) {
    return Fail(kExitNoChannel, problem,
                "install the frame grabber's Camera Link serial library where it is looked for: "
                "in the folders of " +
                    std::string(kLoaderPathVariable) + " and the system's for " +
                    CClSerial2001::kLibrary + " and " + CClSerialVer11::kLibrary +
                    ", in the folder CLSERIALPATH names for the Camera Link 2000 libraries "
                    "(clser*); or name another channel (vistrelctl ports lists them)");
  }
  Verdict verdict = VerdictFor(kExitNoChannel, Outcome::ChannelLost, operation_);
  if (!error.empty())
    verdict.what += " (" + error + ")";
  return Fail(kExitNoChannel, verdict.what, verdict.advice);
}

int CliSession::FailOnHolder(const PortRefusal& refusal) {
  holder_ = refusal.holder;
  const PortHolder& holder = refusal.holder;
  const std::string what = comm_.OpenedComPortPath() + " is in use by " +
                           (holder.program.empty() ? "a process" : holder.program) + " (pid " +
                           std::to_string(holder.pid) + ")";
  if (refusal.byLockFile)
    return Fail(kExitNoChannel, what + ", which holds its lock file",
                "close that program and run again");
  return Fail(kExitNoChannel, what + ", which has it open",
              "close that program and run again, or give --shared-port where it is meant to "
              "share the port");
}

int CliSession::StatusFor(Outcome outcome) {
  if (outcome != Outcome::Done)
    failure_ = outcome;
  return ExitStatusFor(outcome);
}

int CliSession::FailureStatus(Outcome failed) {
  return StatusFor(failed == Outcome::Done ? Outcome::Refused : failed);
}

int CliSession::CheckCameraAnswers() {
  const Outcome outcome = camera_.CheckModelOnce();
  if (outcome == Outcome::Done)
    return kExitOk;
  if (!Answered(outcome)) {
    const Verdict verdict = SilentCameraVerdict(outcome);
    // A terminal program holding the port explains a silent camera better than any guess.
    const std::string holders = comm_.OtherProgramsOnPort();
    return Fail(FailureStatus(outcome),
                holders.empty() ? verdict.what : verdict.what + "; " + holders, verdict.advice);
  }
  return Fail(FailureStatus(outcome), "the camera did not answer the model query",
              "check that this channel leads to the camera and runs at its baud rate");
}

int CliSession::Fail(int status, const std::string& what, const std::string& advice) {
  if (!verdictGiven_) {
    verdictGiven_ = true;
    errorWhat_ = EscapeControlsInMessage(what);
    errorAdvice_ = advice;
    // What failed may quote the camera (a model name) or a file: escaped, never raw.
    err_ << "vistrelctl " << operation_ << ": " << ChannelText() << ": "
         << EscapeControlsInMessage(what) << "; " << advice << '\n';
  }
  return status;
}

void CliSession::EnsureVerdict(int status) {
  if (status != kExitOk && !verdictGiven_) {
    const Verdict verdict = VerdictFor(status, failure_, operation_);
    Fail(status, verdict.what, verdict.advice);
  }
}

int CliSession::Finish(int status) {
  EnsureVerdict(status);
  if (json_)
    PrintRecord(status);
  return status;
}

void CliSession::WriteError(JsonWriter& w, int status) {
  EnsureVerdict(status);
  // The message shown before the line, unless it only says again what the line says.
  const std::string& shown = presenter_.LastShown();
  const bool adds = !shown.empty() && shown.find(errorWhat_) == std::string::npos;
  w.BeginObject("error")
      .Value("operation", operation_)
      .Value("channel", ChannelText())
      .Value("message", errorWhat_ + (adds ? " (" + shown + ")" : "") + "; " + errorAdvice_)
      .Value("status", status);
  if (holder_) {
    w.BeginObject("holder");
    holder_->program.empty() ? w.Null("program") : w.Value("program", holder_->program);
    w.Value("pid", static_cast<long long>(holder_->pid)).EndObject();
  }
  w.EndObject();
}

void CliSession::PrintRecord(int status) {
  std::string members = record_.Text();
  JsonWriter head;
  head.BeginObject().Value("ok", status == kExitOk);
  if (status != kExitOk)
    WriteError(head, status);
  std::string text = head.Text();
  if (!members.empty())
    text += ',' + members;
  out_ << text << "}\n";
}

}  // namespace vistrel
