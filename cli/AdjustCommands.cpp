#include "cli/AdjustCommands.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "camera/AutoAdjust.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"

namespace vistrel {
namespace {

struct AdjustRequest {
  std::string what;
  int intervalMs = PollLimits::kIntervalMs;
  int limitSeconds = PollLimits::kTotalMs / 1000;
};

constexpr int32_t kComplete = 0;

// Sleeps between the polls and shows the elapsed time and last status on a terminal.
class TerminalWatch final : public IAdjustWatch {
 public:
  explicit TerminalWatch(std::ostream& err)
      : err_(err), enabled_(&err == &std::cerr && isatty(STDERR_FILENO) != 0) {}
  bool Wait(int ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return true;
  }
  void Polled(int elapsedMs, std::optional<int32_t> status) override {
    if (!enabled_)
      return;
    err_ << "\r" << elapsedMs / 1000 << " s  status "
         << (status ? std::to_string(*status) + " (" + AutoResultText(*status) + ")"
                    : std::string("unanswered"))
         << "        " << std::flush;
  }
  void Finished() override {
    if (enabled_)
      err_ << "\n";
  }

 private:
  std::ostream& err_;
  bool enabled_;
};

int RunShading(CliSession& s) {
  std::optional<int32_t> status;
  const Outcome outcome = RecalibrateShading(s.Engine(), status);
  if (!status)
    return ExitStatusFor(outcome == Outcome::Done ? Outcome::NoReply : outcome);
  s.Out() << AutoResultText(*status) << '\n';
  return *status == kComplete ? kExitOk : kExitRefused;
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
  TerminalWatch watch(s.Err());
  const AutoRunResult result = RunAutoOnce(s.Engine(), kind, limits, watch);
  if (result.end != RunEnd::Final) {
    s.Err() << "vistrelctl: " << RunEndText(result) << '\n';
    if (result.end == RunEnd::StartFailed)
      return ExitStatusFor(result.outcome);
    return kExitTimeout;
  }
  s.Out() << AutoResultText(*result.status) << '\n';
  return result.Succeeded() ? kExitOk : kExitRefused;
}

}  // namespace

void AddAdjustCommands(CLI::App& app, ChosenAction& chosen) {
  auto request = std::make_shared<AdjustRequest>();
  CLI::App* sub = AddCameraCommand(
      app, chosen,
      {"adjust",
       "Run a one-shot adjustment and print its result: exit 0 for \"Complete\" or "
       "\"Convergent\", 1 for any other result, 3 when the camera stops answering or no "
       "result comes within the limit",
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
}

}  // namespace vistrel
