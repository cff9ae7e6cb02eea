#pragma once

#include <atomic>

namespace vistrel {

class Command;

// While it lives, SIGINT, SIGTERM and SIGHUP (Ctrl-C and Ctrl-Break on Windows) no longer end
// the program at once: the handler only notes the signal, and the command that has set
// something moving on the camera (a one-shot adjustment, the motor lens) sees it, stops the
// camera and ends. No exchange with the camera ever runs in the handler. Several may live at
// once (one per camera of a run over several cameras): a signal reaches every one of them.
class StopSignals {
 public:
  // Installs the handlers; while a signal is pending and the stop has not begun, the
  // engine's waits for a reply end at once.
  explicit StopSignals(Command& engine);
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal received; 0 while none came.
  int Received() const { return Pending(); }
  // The signal that a living instance has received, or kOutputClosed once a write to
  // standard output or error failed; 0 while neither happened.
  static int Pending();
  // A closed output is a stop as a signal is: the reader of the output has gone (a pipe into
  // `head`), so the run ends as SIGTERM would end it, with 128 + SIGPIPE.
  static constexpr int kOutputClosed = 13;  // SIGPIPE
  // Notes that a write to standard output or error failed; wakes every Wait. Sticky until
  // ClearOutputClosed (a new run of the command line in the same process).
  static void NoteOutputClosed();
  static bool OutputClosed();
  static void ClearOutputClosed();
  // Waits up to `ms` milliseconds; false as soon as a signal came (also before the call).
  bool Wait(int ms) const;
  // The stop goes out now: from here on the engine waits for the camera's answers again.
  void BeginStop() { stopping_ = true; }
  // The exit status of a command that a signal ended: 128 plus the signal's number.
  int ExitStatus() const { return 128 + Received(); }
  // "SIGINT", "SIGTERM", ...
  static const char* Name(int signal);

 private:
  Command& engine_;
  std::atomic<bool> stopping_{false};
};

}  // namespace vistrel
