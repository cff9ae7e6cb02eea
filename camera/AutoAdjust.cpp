#include "camera/AutoAdjust.h"

#include <array>
#include <chrono>
#include <functional>
#include <span>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

namespace {

struct ResultText {
  int32_t code;
  const char* text;
};

constexpr ResultText kResultTexts[] = {
    {0, "Complete"},
    {1, "Too Bright"},
    {2, "Too Dark"},
    {3, "Timeout Error"},
    {4, "Busy"},
    {5, "Limit"},
    {6, "Trig is not set as Normal"},
    {8, "Convergent"},
    {9, "Condition Error"},
    {255, "Idle"},
};
constexpr const char* kUnknownResult = "Unknown Result";

constexpr int32_t kComplete = 0;
constexpr int32_t kBusy = 4;
constexpr int32_t kConvergent = 8;
constexpr int32_t kOnce = 2;
constexpr int32_t kOff = 0;

constexpr int kStartMs = limits::kLongSettingMs;
constexpr int kShadingStartMs = limits::kShadingStartMs;
constexpr int kStatusMs = limits::kReplyMs;

// The commands of one kind of run (command ids; ATCS has one id beside each auto mode).
struct RunCommands {
  int mode;
  int status;
  const char* title;    // of the result
  const char* running;  // of the progress display
};

// ASC and ATCS, AGC and ATCS, AWB and AWRS.
constexpr RunCommands kExposureRun{121, 122, "Exposure Auto Result", "Exposure Auto Once"};
constexpr RunCommands kGainRun{84, 85, "Gain Auto Result", "Gain Auto Once"};
constexpr RunCommands kWhiteRun{115, 116, "Balance White Auto Result", "Balance White Auto Once"};

constexpr const char* kLevelQuery = "ALCST?\r\n";

constexpr int kExposureAdjusted[] = {ctl::PE};
constexpr int kGainAdjusted[] = {ctl::FGA};
constexpr int kWhiteAdjusted[] = {ctl::PGR, ctl::PGB};

const RunCommands& CommandsOf(AutoKind kind) {
  switch (kind) {
    case AutoKind::Exposure:
      return kExposureRun;
    case AutoKind::Gain:
      return kGainRun;
    case AutoKind::White:
      break;
  }
  return kWhiteRun;
}

bool IsFinal(AutoKind kind, int32_t status) {
  return kind == AutoKind::White ? status != kBusy : status >= kConvergent;
}

constexpr std::array<const char*, 4> kLevelTexts = {"OFF", "AIC", "ASC", "AGC"};

// The AWB values of the white balance entries, by list (see WhiteBalanceValue).
constexpr int32_t kWhiteAll[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr int32_t kWhiteNoExposure[] = {0, 1, 2, 5, 6, 7, 8};
constexpr int32_t kWhiteIndividual[] = {0, 4, 3};

}  // namespace

bool AutoRunResult::Succeeded() const {
  return outcome == Outcome::Done && end == RunEnd::Final && status &&
         (*status == kComplete || *status == kConvergent);
}

bool AutoRunResult::ValuesMayHaveChanged() const {
  return end == RunEnd::Final || end == RunEnd::TimeBound || end == RunEnd::Cancelled;
}

std::span<const int> AdjustedControls(AutoKind kind) {
  switch (kind) {
    case AutoKind::Exposure:
      return kExposureAdjusted;
    case AutoKind::Gain:
      return kGainAdjusted;
    case AutoKind::White:
      break;
  }
  return kWhiteAdjusted;
}

bool SleepingWatch::Wait(int ms) {
  engine_.Clock().Pause(ms);
  return true;
}

std::string AutoResultText(int32_t code) {
  for (const ResultText& entry : kResultTexts) {
    if (entry.code == code)
      return entry.text;
  }
  return kUnknownResult;
}

void ShowAutoResult(IMessagePresenter& messages, int32_t code, const std::string& title) {
  messages.ShowMessage(AutoResultText(code), title, MessageIcon::Information);
}

std::string AutoResultTitle(AutoKind kind) {
  return CommandsOf(kind).title;
}

namespace {

std::string EndedEarlyText(const AutoRunResult& result) {
  const std::string seconds = std::to_string(result.elapsedMs / 1000);
  switch (result.end) {
    case RunEnd::Final:
      break;
    case RunEnd::StartFailed:
      return result.stopSent ? "The camera did not confirm the start of the adjustment."
                             : "The camera did not start the adjustment.";
    case RunEnd::Cancelled:
      return "Cancelled after " + seconds + " s.";
    case RunEnd::TimeBound:
      return "No final result after " + seconds + " s.";
    case RunEnd::Silence:
      return "The camera stopped answering the status query (" + std::to_string(result.polls) +
             " polls, " + seconds + " s).";
    case RunEnd::ChannelLost:
      return "The connection to the camera was lost.";
  }
  return {};
}

}  // namespace

std::string RunEndText(const AutoRunResult& result) {
  if (result.end == RunEnd::Final)
    return AutoResultText(result.status.value_or(-1));
  std::string text = EndedEarlyText(result);
  if (result.stopSent && result.stopConfirmed)
    text += " The adjustment was set back to Off.";
  else if (result.stopSent)
    text += " The camera did not confirm the Off setting: the adjustment may still be running.";
  return text;
}

namespace {

// Polls the status of a started run until it is final, the run is cancelled or given up.
void PollRun(Command& engine, AutoKind kind, const PollLimits& limits, IAdjustWatch& watch,
             AutoRunResult& result, const std::function<int()>& elapsedMs) {
  const RunCommands& commands = CommandsOf(kind);
  int silent = 0;
  for (;;) {
    if (elapsedMs() >= limits.totalMs) {
      result.end = RunEnd::TimeBound;
      return;
    }
    if (!watch.Wait(limits.intervalMs)) {
      result.end = RunEnd::Cancelled;
      return;
    }
    int32_t status = 0;
    ++result.polls;
    const Outcome polled = engine.GetValue(commands.status, status, limits.queryMs);
    const bool answered = polled == Outcome::Done;
    watch.Polled(elapsedMs(), answered ? std::optional<int32_t>(status) : std::nullopt);
    if (answered) {
      silent = 0;
      result.status = status;
      if (IsFinal(kind, status)) {
        result.end = RunEnd::Final;
        result.outcome = Outcome::Done;
        return;
      }
      continue;
    }
    if (polled == Outcome::ChannelLost) {
      result.end = RunEnd::ChannelLost;
      result.outcome = Outcome::ChannelLost;
      return;
    }
    if (watch.StopRequested()) {
      result.end = RunEnd::Cancelled;
      return;
    }
    if (++silent >= limits.silentPolls) {
      result.end = RunEnd::Silence;
      return;
    }
  }
}

// Whether the camera may still be running the adjustment when the run ends: it may have
// taken a start whose confirmation did not come, and only a final status says it is done.
bool MayStillRun(const AutoRunResult& result) {
  switch (result.end) {
    case RunEnd::Final:
    case RunEnd::ChannelLost:
      return false;
    case RunEnd::StartFailed:
      return result.outcome == Outcome::NoReply;
    case RunEnd::Cancelled:
    case RunEnd::TimeBound:
    case RunEnd::Silence:
      break;
  }
  return true;
}

}  // namespace

AutoRunResult RunAutoOnce(Command& engine, AutoKind kind, const PollLimits& limits,
                          IAdjustWatch& watch) {
  const RunCommands& commands = CommandsOf(kind);
  AutoRunResult result;
  watch.Started(commands.running);
  const IClock& clock = engine.Clock();
  const IClock::Duration start = clock.Now();
  const std::function<int()> elapsedMs = [&clock, start] {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start).count());
  };
  // Polling a run the camera did not take would only read the status of an earlier run.
  if (const Outcome started = engine.SetValue(commands.mode, kOnce, kStartMs);
      started != Outcome::Done) {
    result.outcome = started;
    result.end = result.outcome == Outcome::ChannelLost ? RunEnd::ChannelLost
                 : result.outcome == Outcome::NoReply && watch.StopRequested()
                     ? RunEnd::Cancelled
                     : RunEnd::StartFailed;
  } else {
    PollRun(engine, kind, limits, watch, result, elapsedMs);
  }
  if (MayStillRun(result)) {
    watch.Stopping();
    result.stopSent = true;
    result.stopConfirmed = engine.SetValue(commands.mode, kOff, kAutoStopMs) == Outcome::Done;
  }
  result.elapsedMs = elapsedMs();
  watch.Finished();
  return result;
}

Outcome SetWhiteMode(Command& engine, int32_t mode, std::optional<int32_t>& status, bool& taken) {
  status.reset();
  const Outcome set = engine.SetValue(kWhiteRun.mode, mode, kStartMs);
  taken = set == Outcome::Done;
  if (!taken)
    return set;
  int32_t value = 0;
  if (const Outcome read = engine.GetValue(kWhiteRun.status, value, kStatusMs);
      read != Outcome::Done)
    return read;
  status = value;
  return Outcome::Done;
}

Outcome RecalibrateShading(Command& engine, std::optional<int32_t>& status) {
  status.reset();
  if (const Outcome started = engine.SetValue(cmd::RS, 0, kShadingStartMs);
      started != Outcome::Done)
    return started;
  int32_t value = 0;
  if (const Outcome read = engine.GetValue(cmd::SDRS, value, kStatusMs); read != Outcome::Done)
    return read;
  status = value;
  return Outcome::Done;
}

Outcome ReadLevelControlStatus(Command& engine, int32_t& status) {
  return engine.QueryRaw(status, kLevelQuery, kStatusMs, true);
}

std::string LevelControlText(int32_t status) {
  if (status < 0 || status >= static_cast<int32_t>(kLevelTexts.size()))
    return {};
  return kLevelTexts[static_cast<size_t>(status)];
}

std::optional<int32_t> WhiteBalanceValue(int index, bool individualGain, bool colourExposure) {
  if (individualGain && !colourExposure)
    return 0;  // the choice is disabled; only off is left
  std::span<const int32_t> values = individualGain   ? std::span<const int32_t>(kWhiteIndividual)
                                    : colourExposure ? std::span<const int32_t>(kWhiteAll)
                                                     : std::span<const int32_t>(kWhiteNoExposure);
  if (index < 0 || index >= static_cast<int>(values.size()))
    return std::nullopt;
  return values[static_cast<size_t>(index)];
}

}  // namespace vistrel
