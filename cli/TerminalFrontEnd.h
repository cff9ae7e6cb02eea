#pragma once

#include <iosfwd>
#include <string>

#include "core/Interfaces.h"

namespace vistrel {

// Messages on stderr with their caption; questions on the terminal when there is one, else
// the answer given on the command line (--yes) or no.
class TerminalPresenter final : public IMessagePresenter {
 public:
  TerminalPresenter(std::ostream& err, bool assumeYes) : err_(err), assumeYes_(assumeYes) {}
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  // The text of the last message shown (the camera's refusal, for example).
  const std::string& LastMessage() const { return last_; }
  int MessageCount() const { return count_; }

 private:
  std::ostream& err_;
  bool assumeYes_;
  std::string last_;
  int count_ = 0;
};

// Time-stamped traffic lines on stderr (--log).
class StderrTraffic final : public ITrafficSink {
 public:
  explicit StderrTraffic(std::ostream& err) : err_(err) {}
  void AppendLine(const std::string& line) override;

 private:
  std::ostream& err_;
};

// A one-line progress display on stderr, only when stderr is a terminal.
class StderrProgress final : public IProgress {
 public:
  explicit StderrProgress(std::ostream& err);
  void Begin(const std::string& message) override;
  void Update(int percent) override;
  void End() override;

 private:
  std::ostream& err_;
  bool enabled_;
  std::string message_;
  int shown_ = -1;
};

// Remembers whether the last exchange saw a line or ran out of time.
class LinkTracker final : public IOnlineStatus {
 public:
  void SetOnline() override { online_ = true; }
  void SetOffline() override { online_ = false; }
  bool Online() const { return online_; }
  void Reset() { online_ = true; }

 private:
  bool online_ = true;
};

}  // namespace vistrel
