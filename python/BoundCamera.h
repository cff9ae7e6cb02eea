#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ChannelOptions.h"
#include "core/Outcome.h"

namespace vistrel {

class CliSession;

namespace python {

namespace py = pybind11;

// How one operation on the camera ended: vistrelctl's exit status, the JSON record its --json
// output would hold (the members only) and what it printed on stderr.
struct OperationResult {
  int status = 0;
  std::string record;
  std::string messages;
  std::string outcome;  // the outcome's name, for CameraError.outcome
};

// One open camera of the module: a session of vistrelctl's kept open between operations.
// Every operation runs with the GIL released and this camera's lock held, so calls from two
// threads are served one after the other; close() waits for the running one.
class BoundCamera {
 public:
  // Opens the channel (its lock taken) and makes the model check; raises CameraError.
  explicit BoundCamera(const ChannelOptions& options);
  ~BoundCamera();
  BoundCamera(const BoundCamera&) = delete;
  BoundCamera& operator=(const BoundCamera&) = delete;

  // Runs `run` on the open session as operation `operation`; raises the error class of a
  // failed status (ChannelError once closed). The parsed JSON record on success.
  py::dict Run(const std::string& operation, const std::function<int(CliSession&)>& run);
  // The same, and the record of a failed run that still made one: a comparison that found
  // differences ends with status 1 and its list.
  OperationResult RunUnchecked(const std::string& operation,
                               const std::function<int(CliSession&)>& run);
  // Runs a subcommand of vistrelctl with its arguments on the open session.
  py::dict RunArguments(const std::vector<std::string>& arguments);

  // Waits for the operation that is running (call it with the GIL released from Python).
  void Close();
  // Whether close() was called; answers at once, also while an operation runs.
  bool Closed() const { return closed_; }
  const std::string& Model() const { return model_; }
  const std::string& Channel() const { return channel_; }

 private:
  std::atomic<bool> closed_{false};
  std::mutex mutex_;
  std::ostringstream out_;
  std::ostringstream err_;
  std::unique_ptr<CliSession> session_;
  std::string model_;
  std::string channel_;
};

// The name CameraError.outcome gives an operation that ended with exit status `status`, its
// last exchange having gone `last`.
std::string OutcomeOfStatus(int status, Outcome last);
// The record's text as a dict.
py::dict ParseRecord(const std::string& record);
// Raises the CameraError subclass for `result.status`.
[[noreturn]] void RaiseCameraError(const OperationResult& result);
// Raises UsageError with `message`, as vistrelctl exits 2 on bad arguments.
[[noreturn]] void RaiseUsage(const std::string& message);

}  // namespace python
}  // namespace vistrel
