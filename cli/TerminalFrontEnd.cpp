#include "cli/TerminalFrontEnd.h"

#include "core/TextEscape.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "core/TimeStamp.h"

namespace vistrel {

void TerminalPresenter::ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon) {
  // The desktop program's confirmations ("Completed ...") are its message boxes' business;
  // on the command line success is the exit status.
  if (icon == MessageIcon::Information)
    return;
  const std::string shown = (caption.empty() ? "" : caption + ": ") + EscapeControlsInMessage(text);
  lastShown_ = shown;
  std::ranges::replace(lastShown_, '\n', ' ');
  err_ << "vistrelctl: " << shown << '\n';
}

bool TerminalPresenter::AskYesNo(const std::string& text, const std::string&) {
  if (assumeYes_)
    return true;
  // A question goes to the terminal only when its lines do (not in a run over several
  // cameras, whose lines are collected).
  if (&err_ != &std::cerr || isatty(STDIN_FILENO) == 0) {
    err_ << "vistrelctl: " << text << " (no terminal to ask; give --yes)\n";
    return false;
  }
  err_ << text << " [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer))
    return false;
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

void StderrTraffic::AppendLine(const std::string& line) {
  err_ << TimeOfDayStamp() << line << '\n';
}

StderrProgress::StderrProgress(std::ostream& err)
    : err_(err), enabled_(&err == &std::cerr && isatty(STDERR_FILENO) != 0) {}

void StderrProgress::Begin(const std::string& message) {
  message_ = message;
  shown_ = -1;
  Update(0);
}

void StderrProgress::Update(int percent) {
  if (!enabled_ || percent == shown_)
    return;
  shown_ = percent;
  err_ << '\r' << message_ << ' ' << percent << "% " << std::flush;
}

void StderrProgress::End() {
  if (!enabled_)
    return;
  err_ << '\r' << message_ << " 100%\n" << std::flush;
}

}  // namespace vistrel
