#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "core/Clock.h"
#include "core/CommandValue.h"
#include "core/Interfaces.h"
#include "core/Outcome.h"
#include "core/ReplyFields.h"
#include "core/TimeLimits.h"

namespace vistrel {

// The command engine: the one place where the program talks to the camera. It builds
// command lines from the command table, writes them to the channel, collects the reply
// line, judges it and reports the link state. One instance per program, created at
// start-up; all camera exchanges of the program go through it, from one thread.
class Command {
 public:
  static constexpr int kReceiveBufferSize = 1024;
  // Bytes without a line end that have sat this long when an exchange starts are no answer
  // still arriving (noise at power-up, the rest of a line that never ended): they are dropped.
  static constexpr int kLeftoverMs = limits::kReplyMs;
  static constexpr const char* kCaption = "Communication Error";
  // Shown when a line without a command name was to be sent.
  static constexpr const char* kNoCommandText =
      "The camera has no command for this control; nothing was sent.";

  Command(ISerialChannel& channel, IMessagePresenter& messages);

  // Optional listeners; without them nothing is reported.
  void SetOnlineStatus(IOnlineStatus* online) { online_ = online ? online : &nullOnline_; }
  void SetBusyIndicator(IBusyIndicator* busy) { busy_ = busy ? busy : &nullBusy_; }
  // Receives "Rx: " lines (the terminal and the command log, in that order).
  void SetTrafficSink(ITrafficSink* traffic) { traffic_ = traffic ? traffic : &nullTraffic_; }
  void SetChannel(ISerialChannel& channel) { channel_ = &channel; }
  // Where the time limits of the exchanges, and the pauses of the passes run on, are
  // measured: the steady clock unless another is set (null puts the steady clock back).
  void SetClock(IClock* clock) { clock_ = clock ? clock : &steadyClock_; }
  IClock& Clock() const { return *clock_; }
  ISerialChannel& Channel() { return *channel_; }

  // Every exchange returns how it ended: Done when the camera answered as asked; Refused
  // when it answered something else (its line was shown); NoReply, ChannelLost; BadInput
  // when nothing was sent.

  // Settings: Done when the camera answered "COMPLETE".
  [[nodiscard]] Outcome SetValue(int commandId, int32_t value, int timeoutMs);
  [[nodiscard]] Outcome SetText(int commandId, const std::string& text, int timeoutMs);
  [[nodiscard]] Outcome SendSetting(int commandId, const CommandValue& value, int timeoutMs);
  // Sends a line built by the caller (with its line end) and waits for "COMPLETE".
  [[nodiscard]] Outcome SendLine(const std::string& line, int timeoutMs);
  // Judges the oldest received line (waiting up to timeoutMs for one).
  [[nodiscard]] Outcome WaitComplete(int timeoutMs);

  // Queries: Done when a reply for this command arrived; out is left unchanged otherwise.
  [[nodiscard]] Outcome GetValue(int commandId, int32_t& out, int timeoutMs);
  [[nodiscard]] Outcome GetText(int commandId, std::string& out, int timeoutMs);
  [[nodiscard]] Outcome Query(int commandId, CommandValue& out, int timeoutMs);
  // Writes `line` unchanged; Done when a line with one clean number came back; out is that
  // number.
  [[nodiscard]] Outcome QueryRaw(int32_t& out, const std::string& line, int timeoutMs,
                                 bool offlineOnTimeout);
  // Writes `line` unchanged and hands back the whole reply line: Done when any line came back.
  [[nodiscard]] Outcome Exchange(const std::string& line, std::string& reply, int timeoutMs);
  // The value of the last answered query as the camera sent it (case and inner blanks kept).
  const std::string& LastAnswerText() const { return answerText_; }
  // Whether the last refusal was only a reply that named another command: the camera is
  // answering, but not what was asked.
  bool LastAnswerWasForAnother() const { return answeredOther_; }

  // Caps the time limit of every exchange (0: each exchange keeps its own limit). For
  // scripts that would rather fail fast than wait out the camera's longest limits.
  void SetTimeLimitCap(int capMs) { limitCapMs_ = capMs > 0 ? capMs : 0; }
  // While `interrupted` says so, a wait for a reply ends at once as unanswered: a front end
  // that must stop the camera now (the program is asked to end) does not wait out the
  // exchange in progress first. Waits look at it every kInterruptCheckMs. An empty function
  // removes it.
  static constexpr int kInterruptCheckMs = limits::kInterruptCheckMs;
  void SetInterruption(std::function<bool()> interrupted) { interrupted_ = std::move(interrupted); }

  static bool ParsePair(std::string_view line, int32_t& a, int32_t& b);
  static std::string CommandName(int commandId);
  static std::string BuildQuery(int commandId, bool withLineEnd);
  static std::string BuildSetting(int commandId, const CommandValue& value);

  // Takes bytes from the channel into the line being received, waiting up to waitMs for
  // each next byte; true when a complete line was queued. With waitMs 0 it only takes bytes
  // that have already arrived.
  bool ReceiveLine(bool log, int waitMs = 0);
  void ResetReceive();
  // Removes and returns the oldest received line; empty when none is queued.
  std::string TakeReply();
  bool HasReply() const { return !queue_.empty(); }
  // The idle tick: queues (and logs) whatever complete lines have already arrived.
  void DrainIdle();

 private:
  // What a line received while waiting for an answer is to the exchange.
  enum class LineRole { Answer, Stale };

  static std::string BuildSettingAs(int commandId, const CommandValue& value, ValueKind kind);
  // Refuses (BadInput, with a message) a line or name that has no command name.
  bool RefuseNameless(std::string_view line);
  // Starts an exchange: lines that arrived before it are logged and set aside, and so are
  // leftover bytes (see kLeftoverMs).
  void BeginExchange();
  void DropLeftover();
  // Writes a line; ChannelLost (and offline) when the channel refused it.
  Outcome WriteLine(const std::string& line);
  int Limit(int timeoutMs) const;
  // Done when a line is queued; NoReply after the time limit; ChannelLost.
  Outcome WaitForLine(int timeoutMs);
  // Waits for the answer line of `expectedName`'s query ("" for a setting, which is
  // answered "COMPLETE"). A reply that names another command is a late answer to an earlier
  // exchange and is passed over; it counts as the answer only when nothing else comes.
  Outcome WaitForAnswer(const std::string& expectedName, int timeoutMs, std::string& answer);
  // Whether `line` is the late answer of the exchange before, which then is owed no more.
  bool TakesOwedReply(const ReplyFields& fields, bool named);
  Outcome NoteOwed(const std::string& expectedName, Outcome outcome);
  Outcome Finish(Outcome outcome);
  void Report(const std::string& text);

  ISerialChannel* channel_;
  IMessagePresenter& messages_;
  NullOnlineStatus nullOnline_;
  NullBusyIndicator nullBusy_;
  NullTrafficSink nullTraffic_;
  IOnlineStatus* online_ = &nullOnline_;
  IBusyIndicator* busy_ = &nullBusy_;
  ITrafficSink* traffic_ = &nullTraffic_;
  SteadyClock steadyClock_;
  IClock* clock_ = &steadyClock_;

  char buffer_[kReceiveBufferSize] = {};
  int32_t position_ = 0;
  // When the last byte of the line being received came: the moment it was read while
  // waiting; for a byte that was already there, the last time the channel was found empty
  // (the earliest it can have come).
  IClock::Duration lastByteAt_{};
  IClock::Duration lastEmptyAt_{};
  std::deque<std::string> queue_;
  bool overflowReported_ = false;
  bool answeredOther_ = false;
  // The exchange before timed out: its answer may still come ("" for a setting's answer,
  // else the name its query's answer carries).
  bool replyOwed_ = false;
  std::string owedName_;
  bool tookOwed_ = false;  // this exchange passed over the late answer of the one before
  int limitCapMs_ = 0;
  std::function<bool()> interrupted_;
  std::string answerText_;
};

}  // namespace vistrel
