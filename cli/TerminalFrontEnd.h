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
  // The last message shown (escaped, its lines joined by spaces); empty when none was.
  const std::string& LastShown() const { return lastShown_; }

 private:
  std::ostream& err_;
  bool assumeYes_;
  std::string lastShown_;
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
  void SetMessage(const std::string& message) override { message_ = message; }

 private:
  std::ostream& err_;
  bool enabled_;
  std::string message_;
  int shown_ = -1;
};

}  // namespace vistrel
