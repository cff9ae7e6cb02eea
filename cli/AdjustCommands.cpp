#include "cli/AdjustCommands.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>

#include "camera/AutoAdjust.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/StopSignals.h"
#include "core/CommandTable.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

struct AdjustRequest {
  std::string what;
  int intervalMs = PollLimits::kIntervalMs;
  int limitSeconds = PollLimits::kTotalMs / 1000;
  bool json = false;
};

constexpr int32_t kComplete = 0;
constexpr int kReadBackMs = limits::kReplyMs;

// Waits between the polls (a signal ends the wait, and the run stops the camera) and shows
// the elapsed time and last status on a terminal.
class TerminalWatch final : public IAdjustWatch {
 public:
  TerminalWatch(std::ostream& err, StopSignals& signals)
      : err_(err), signals_(signals), enabled_(&err == &std::cerr && isatty(STDERR_FILENO) != 0) {}
  bool Wait(int ms) override { return signals_.Wait(ms); }
  void Polled(int elapsedMs, std::optional<int32_t> status) override {
    if (!enabled_)
      return;
    err_ << "\r" << elapsedMs / 1000 << " s  status "
         << (status ? std::to_string(*status) + " (" + AutoResultText(*status) + ")"
                    : std::string("unanswered"))
         << "        " << std::flush;
  }
  bool StopRequested() override { return signals_.Received() != 0; }
  void Stopping() override { signals_.BeginStop(); }
  void Finished() override {
    if (enabled_)
      err_ << "\n";
  }

 private:
  std::ostream& err_;
  StopSignals& signals_;
  bool enabled_;
};

// A result as printed: its text on a line, or one JSON object.
void PrintResult(CliSession& s, const std::optional<int32_t>& status, JsonWriter* json) {
  if (json == nullptr) {
    if (status)
      s.Out() << AutoResultText(*status) << '\n';
    return;
  }
  if (status)
    json->Value("result", AutoResultText(*status)).Value("status", static_cast<int>(*status));
  else
    json->Null("result").Null("status");
}

int RunShading(CliSession& s) {
  std::optional<int32_t> status;
  const Outcome outcome = RecalibrateShading(s.Engine(), status);
  if (!status)
    return s.StatusFor(outcome == Outcome::Done ? Outcome::NoReply : outcome);
  PrintResult(s, status, s.Json() ? &s.Record() : nullptr);
  return *status == kComplete ? kExitOk : kExitRefused;
}

// Reads back the values the run may have moved and prints them as NAME=value (or into the
// JSON object); after saying which could not be read, how its read ended.
Outcome PrintAdjustedValues(CliSession& s, AutoKind kind, JsonWriter* json) {
  if (json != nullptr)
    json->BeginObject("values");
  for (int ctrlId : AdjustedControls(kind)) {
    const int commandId = s.Camera().Table().ToCmdId(ctrlId);
    const std::string name(CommandTable::Name(commandId));
    int32_t value = 0;
    if (const Outcome read = s.Engine().GetValue(commandId, value, kReadBackMs);
        read != Outcome::Done) {
      s.Err() << "vistrelctl: " << name << " could not be read back after the adjustment ("
              << OutcomeText(read) << "); read it with: vistrelctl get " << name << '\n';
      return read;
    }
    if (json != nullptr)
      json->Value(name, static_cast<long long>(value));
    else
      s.Out() << name << '=' << value << '\n';
  }
  if (json != nullptr)
    json->EndObject();
  return Outcome::Done;
}

// The exit status of a run that ended as `result` says; a run that did not end by itself
// ended without an answer.
int RunStatus(CliSession& s, const AutoRunResult& result) {
  switch (result.end) {
    case RunEnd::StartFailed:
      return s.StatusFor(result.outcome);
    case RunEnd::Final:
      return result.Succeeded() ? kExitOk : kExitRefused;
    case RunEnd::ChannelLost:
      return s.StatusFor(Outcome::ChannelLost);
    case RunEnd::Cancelled:
    case RunEnd::TimeBound:
    case RunEnd::Silence:
      break;
  }
  return s.StatusFor(Outcome::NoReply);
}

int RunAdjust(CliSession& s, const AdjustRequest& request) {
  if (request.what == "shading")
    return RunShading(s);
  const AutoKind kind = request.what == "exposure" ? AutoKind::Exposure
                        : request.what == "gain"   ? AutoKind::Gain
                                                   : AutoKind::White;
  PollLimits limits;
  limits.intervalMs = request.intervalMs;
  limits.totalMs = request.limitSeconds * 1000;
  StopSignals signals(s.Engine());
  TerminalWatch watch(s.Err(), signals);
  const AutoRunResult result = RunAutoOnce(s.Engine(), kind, limits, watch);
  if (const int signal = signals.Received(); signal != 0) {
    s.Err() << "vistrelctl: " << StopSignals::Name(signal) << " received: " << RunEndText(result)
            << '\n';
    return signals.ExitStatus();
  }
  if (result.end != RunEnd::Final)
    s.Err() << "vistrelctl: " << RunEndText(result) << '\n';
  int status = RunStatus(s, result);
  if (!result.ValuesMayHaveChanged())
    return status;
  JsonWriter* json = s.Json() ? &s.Record() : nullptr;
  PrintResult(s, result.end == RunEnd::Final ? result.status : std::nullopt, json);
  if (const Outcome read = PrintAdjustedValues(s, kind, json); read != Outcome::Done)
    status = status == kExitOk ? s.FailureStatus(read) : status;
  return status;
}

}  // namespace

void AddAdjustCommands(CLI::App& app, ChosenAction& chosen) {
  auto request = std::make_shared<AdjustRequest>();
  CLI::App* sub = AddCameraCommand(
      app, chosen,
      {"adjust",
       "Run a one-shot adjustment, print its result and the values it moved (NAME=value): "
       "exit 0 for \"Complete\" or \"Convergent\", 1 for any other result, 3 when the "
       "camera stops answering or no result comes within the limit. SIGINT, SIGTERM or "
       "SIGHUP set the adjustment back to Off before the program ends (exit 128 + signal)",
       "vistrelctl --device /dev/ttyUSB0 adjust exposure"},
      [request](CliSession& s) { return RunAdjust(s, *request); });
  sub->add_option("WHAT", request->what, "exposure, gain, white (balance) or shading")
      ->required()
      ->check(CLI::IsMember({"exposure", "gain", "white", "shading"}));
  sub->add_option("--interval-ms", request->intervalMs, "Time between status polls (default 1000)")
      ->check(CLI::Range(1, 60000));
  sub->add_option("--limit-s", request->limitSeconds,
                  "Give the run up after this many seconds (default 60)")
      ->check(CLI::Range(1, 3600));
  AddJsonFlag(*sub, chosen, "\"result\", \"status\" (the camera's), \"values\": {NAME: value}");
}

}  // namespace vistrel
