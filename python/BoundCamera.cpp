#include "python/BoundCamera.h"

#include <csignal>

#include "cli/Cli.h"
#include "cli/CliSession.h"

namespace vistrel::python {

std::string OutcomeOfStatus(int status, Outcome last) {
  return OutcomeNamesOf(status, last).identifier;
}

namespace {

const char* ErrorClassName(int status) {
  switch (status) {
    case kExitRefused:
      return "RefusedError";
    case kExitUsage:
      return "UsageError";
    case kExitTimeout:
      return "NoReplyError";
    case kExitNoChannel:
      return "ChannelError";
    case kExitNotWritten:
      return "FileError";
    default:
      return "CameraError";
  }
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

const OperationResult kClosed{kExitNoChannel, "",
                              "the camera was closed; open it again with vistrel.open()",
                              OutcomeOfStatus(kExitNoChannel, Outcome::ChannelLost)};

}  // namespace

BoundCamera::BoundCamera(const ChannelOptions& options) {
  OperationResult result;
  {
    py::gil_scoped_release unlocked;
    session_ = std::make_unique<CliSession>(options, out_, err_);
    session_->SetJson(true);
    session_->BeginOperation("open");
    int status = session_->Open();
    if (status == kExitOk)
      status = session_->CheckCameraAnswers();
    result.status = session_->Conclude(status);
    result.messages = Trimmed(err_.str());
    result.outcome = OutcomeOfStatus(result.status, session_->Failure());
    model_ = session_->Camera().Model().name;
    channel_ = session_->ChannelText();
    if (result.status != kExitOk)
      session_.reset();  // the port and its lock go at once
  }
  if (result.status != kExitOk)
    RaiseCameraError(result);
}

BoundCamera::~BoundCamera() {
  Close();
}

void BoundCamera::Close() {
  closed_ = true;
  const std::lock_guard<std::mutex> hold(mutex_);
  session_.reset();
}

OperationResult BoundCamera::RunUnchecked(const std::string& operation,
                                          const std::function<int(CliSession&)>& run) {
  py::gil_scoped_release unlocked;
  const std::lock_guard<std::mutex> hold(mutex_);
  if (!session_)
    return kClosed;
  out_.str("");
  err_.str("");
  session_->BeginOperation(operation);
  OperationResult result;
  result.status = session_->Conclude(run(*session_));
  result.record = session_->Record().Text();
  result.messages = Trimmed(err_.str());
  result.outcome = OutcomeOfStatus(result.status, session_->Failure());
  return result;
}

py::dict BoundCamera::Run(const std::string& operation,
                          const std::function<int(CliSession&)>& run) {
  const OperationResult result = RunUnchecked(operation, run);
  if (result.status != kExitOk)
    RaiseCameraError(result);
  return ParseRecord(result.record);
}

py::dict BoundCamera::RunArguments(const std::vector<std::string>& arguments) {
  return Run(arguments.front(),
             [&arguments](CliSession& s) { return RunOnOpenSession(s, arguments); });
}

py::dict ParseRecord(const std::string& record) {
  return py::module_::import("json").attr("loads")("{" + record + "}");
}

void RaiseCameraError(const OperationResult& result) {
  if (result.status > 128) {
    // A signal stopped the operation (the camera was set back first); the signal now takes
    // the course the process gave it: KeyboardInterrupt for SIGINT in the main thread.
    std::raise(result.status - 128);
    if (PyErr_CheckSignals() != 0)
      throw py::error_already_set();
  }
  const py::object errors = py::module_::import("vistrel._errors");
  const py::object error = errors.attr(ErrorClassName(result.status))(
      result.messages.empty() ? std::string("the operation failed") : result.messages,
      result.status, result.outcome);
  PyErr_SetObject(error.get_type().ptr(), error.ptr());
  throw py::error_already_set();
}

void RaiseUsage(const std::string& message) {
  RaiseCameraError(
      {kExitUsage, "", "vistrel: " + message, OutcomeOfStatus(kExitUsage, Outcome::BadInput)});
}

}  // namespace vistrel::python
