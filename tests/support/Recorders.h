#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Interfaces.h"

namespace vistrel::test {

// Records every message and answers questions from a script (yes when the script is empty).
class RecordingPresenter : public IMessagePresenter {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon;
  };
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
    messages.push_back({text, caption, icon});
  }
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    questions.push_back({text, caption, MessageIcon::Question});
    if (answers.empty())
      return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<Message> messages;
  std::vector<Message> questions;
  std::deque<bool> answers;
};

class RecordingOnlineStatus : public IOnlineStatus {
 public:
  enum class State { Unknown, Online, Offline };
  void SetOnline() override { state = State::Online; }
  void SetOffline() override { state = State::Offline; }
  State state = State::Unknown;
};

class RecordingTraffic : public ITrafficSink {
 public:
  void AppendLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

class RecordingView : public IParameterView {
 public:
  struct Shown {
    int ctrlId;
    int32_t value;
  };
  void ShowParameter(int ctrlId, int32_t value) override { shown.push_back({ctrlId, value}); }
  void ApplyRanges() override { ++rangesApplied; }
  void RunChoiceChange(int ctrlId) override { choiceChanges.push_back(ctrlId); }
  std::vector<Shown> shown;
  int rangesApplied = 0;
  std::vector<int> choiceChanges;
};

}  // namespace vistrel::test
