#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/Command.h"
#include "core/Outcome.h"
#include "core/TimeLimits.h"

namespace vistrel {

// The camera's one-shot automatic adjustments and their result codes.
enum class AutoKind { Exposure, Gain, White };

// How a one-shot run is followed. The camera is polled every `intervalMs`; a run that has
// not reported a final status after `totalMs` is given up, and so is one whose status
// query goes unanswered `silentPolls` times in a row.
struct PollLimits {
  // The camera updates its status about once a second.
  static constexpr int kIntervalMs = limits::kAdjustPollMs;
  // The camera's own runs end within a few seconds (its trials at the slowest exposure
  // included); a minute is ample for a run that is still working and short enough that an
  // operator does not take the program for hung.
  static constexpr int kTotalMs = limits::kAdjustTotalMs;
  // As a long pass of exchanges: three unanswered exchanges in a row mean the camera is gone.
  static constexpr int kSilentPolls = 3;
  static constexpr int kQueryMs = limits::kReplyMs;

  int intervalMs = kIntervalMs;
  int totalMs = kTotalMs;
  int silentPolls = kSilentPolls;
  int queryMs = kQueryMs;
};

// What ended a one-shot run.
enum class RunEnd {
  Final,        // the camera reported a final status
  StartFailed,  // the camera did not take the start setting; nothing was polled
  Cancelled,    // the operator cancelled; the mode was set back to off
  TimeBound,    // no final status within the total time; the mode was set back to off
  Silence,      // the status query went unanswered too many times in a row
  ChannelLost,  // the channel failed
};

struct AutoRunResult {
  // Done when a final status came (whatever it says); otherwise why not.
  Outcome outcome = Outcome::NoReply;
  RunEnd end = RunEnd::Silence;
  std::optional<int32_t> status;  // the last status the camera reported
  int polls = 0;                  // status queries sent
  int elapsedMs = 0;
  // A run that ended without a final status may still be going on in the camera: its off
  // setting was sent (unless the channel was lost), and whether the camera confirmed it.
  bool stopSent = false;
  bool stopConfirmed = false;

  // The camera finished the run well: "Complete" or "Convergent".
  bool Succeeded() const;
  // Whether the values the run adjusts may have moved and are worth reading back: the run
  // got under way and the camera was still answering when it ended.
  bool ValuesMayHaveChanged() const;
};

// Follows a running one-shot adjustment for a front end: waits between the polls (letting
// the windows work) and offers a way to cancel.
class IAdjustWatch {
 public:
  virtual ~IAdjustWatch() = default;
  virtual void Started(const std::string& title) { (void)title; }
  // Waits about `ms` milliseconds without spinning; false when the operator cancelled.
  virtual bool Wait(int ms) = 0;
  // After each poll: the time since the start and the status read (none when unanswered).
  virtual void Polled(int elapsedMs, std::optional<int32_t> status) {
    (void)elapsedMs, (void)status;
  }
  // Asked after an exchange of the run went unanswered: true when the run is to end now
  // (the program is asked to end), as a cancelled wait does.
  virtual bool StopRequested() { return false; }
  // The run is about to send its off setting: from here on its exchanges wait for the camera.
  virtual void Stopping() {}
  virtual void Finished() {}
};

// Pauses between the polls on the engine's clock; never cancels.
class SleepingWatch : public IAdjustWatch {
 public:
  explicit SleepingWatch(Command& engine) : engine_(engine) {}
  bool Wait(int ms) override;

 private:
  Command& engine_;
};

// The text of a result code ("Complete", "Too Bright", ..., "Unknown Result").
std::string AutoResultText(int32_t code);
// Shows the text of `code` in a message box with `title` and an OK button.
void ShowAutoResult(IMessagePresenter& messages, int32_t code, const std::string& title);
// The result text of a run: the final status's text, or in words why the run ended early.
std::string RunEndText(const AutoRunResult& result);
// The title of a run's result message ("Exposure Auto Result", ...).
std::string AutoResultTitle(AutoKind kind);

// Starts a one-shot run (ASC, AGC or AWB = 2) and polls its status (ATCS or AWRS) until it
// is final: 8 or more for exposure and gain, anything but "Busy" (4) for white balance.
// Every other way out (cancel, the time bound, an unanswered start or status query) sends
// the mode's off setting (0) once, within kStopMs, so the camera does not go on adjusting.
AutoRunResult RunAutoOnce(Command& engine, AutoKind kind, const PollLimits& limits,
                          IAdjustWatch& watch);
// The time limit of the off setting that ends a run early.
inline constexpr int kAutoStopMs = limits::kReplyMs;

// The controls whose values a run of `kind` moves, in the order they are read back: the
// exposure after an exposure run, the gain after a gain run, the red and blue gains after a
// white balance run.
std::span<const int> AdjustedControls(AutoKind kind);

// A white balance mode other than once: sets AWB and reads the status once. `taken`: the
// camera took the mode (whatever became of the status query).
Outcome SetWhiteMode(Command& engine, int32_t mode, std::optional<int32_t>& status, bool& taken);

// Shading recalibration: RS = 0, then the result code SDRS.
Outcome RecalibrateShading(Command& engine, std::optional<int32_t>& status);

// The automatic level control status ALCST: 0 "OFF", 1 "AIC", 2 "ASC", 3 "AGC".
Outcome ReadLevelControlStatus(Command& engine, int32_t& status);
// The text of a level control status; empty for a value outside 0..3.
std::string LevelControlText(int32_t status);

// The AWB value of the white balance choice's entry `index`, by the individual gain mode
// and per-colour exposure; nullopt for an entry the lists do not hold.
std::optional<int32_t> WhiteBalanceValue(int index, bool individualGain, bool colourExposure);

}  // namespace vistrel
