#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "camera/CameraSession.h"
#include "cli/ChannelOptions.h"
#include "cli/Json.h"
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

  // Names the operation (the subcommand) in the line that ends a failed run.
  void SetOperation(std::string operation) { operation_ = std::move(operation); }
  const std::string& Operation() const { return operation_; }
  // With JSON output the run prints one object on stdout when it finishes: "ok", the
  // members the command wrote into Record(), and on failure an "error" object.
  void SetJson(bool json) { json_ = json; }
  bool Json() const { return json_; }
  JsonWriter& Record() { return record_; }
  // Only data and errors: no progress, no notes about lines meant for other models.
  bool Quiet() const { return options_.quiet; }
  // The channel as the operator names it: "COM1 /dev/ttyS0 9600", "/dev/ttyUSB0 115200",
  // "Camera Link 2001 port 0 9600", "simulated camera".
  std::string ChannelText();

  // Opens the channel; kExitOk, or kExitNoChannel after saying why.
  int Open();
  // The exit status of an operation that ended `outcome`. A failure is kept for the run's
  // closing verdict and record: a silent camera and a lost channel share their status.
  int StatusFor(Outcome outcome);
  // The exit status after a failed exchange that ended `failed`: no reply or a lost channel
  // (3), a refusal (1); an operation that failed after a good exchange was refused.
  int FailureStatus(Outcome failed);
  // How the last failed operation of the run ended (Done while none failed).
  Outcome Failure() const { return failure_; }
  // Queries the model first: a camera that does not answer it ends the command at once with
  // a message and the time-out status. kExitOk when the model is known. Asks the camera
  // once per run.
  int CheckCameraAnswers();

  // Ends the run with one line on stderr: the operation, the channel, `what` happened and
  // what to do. Returns `status`.
  int Fail(int status, const std::string& what, const std::string& advice);
  // The status of a finished operation; a failure that gave no line of its own gets one.
  // Prints the JSON record of a run with JSON output.
  int Finish(int status);
  // Writes the "error" member of a run that failed with `status` (after giving its line on
  // stderr when none was given): its message is the line's, with the last message shown
  // before it (the port's, the file's or the camera's own words) after what happened.
  void WriteError(JsonWriter& w, int status);

  Command& Engine() { return engine_; }
  CameraSession& Camera() { return camera_; }
  CCommunication& Channel() { return comm_; }
  TerminalPresenter& Presenter() { return presenter_; }
  StoredSettings& Settings() { return settings_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }

 private:
  // Ends the run on a COM port that another program kept from being opened, naming it.
  int FailOnHolder(const PortRefusal& refusal);
  // The baud rate of this run: given, else the stored one (9600 on a channel named for it).
  uint32_t RunBaud() const;
  // Gives the line that ends a failed run unless one was given.
  void EnsureVerdict(int status);
  // The one JSON object of a run that ended with `status`.
  void PrintRecord(int status);

  ChannelOptions options_;
  std::string operation_;
  bool verdictGiven_ = false;
  Outcome failure_ = Outcome::Done;
  bool json_ = false;
  JsonWriter record_;
  std::string errorWhat_;
  std::string errorAdvice_;
  std::optional<PortHolder> holder_;  // the program that kept the port from being opened
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
