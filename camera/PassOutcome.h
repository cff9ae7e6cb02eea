#pragma once

#include "core/Command.h"
#include "core/Outcome.h"

namespace vistrel {

// Keeps the outcome of a long pass of exchanges (reading all settings, loading a file) and
// says when to give up: at once when the channel is lost, and when the camera leaves several
// exchanges in a row without a proper answer, instead of waiting out every remaining time
// limit. A camera that refuses single settings is still answering and the pass goes on.
class PassOutcome {
 public:
  static constexpr int kUnansweredToGiveUp = 3;
  // A camera that leaves this many exchanges of the pass unanswered, in a row or not, is
  // too slow to be of use: its late answers would only be taken for later ones.
  static constexpr int kUnansweredInTotal = 6;

  // Notes the engine's last exchange, which failed.
  void NoteFailure(const Command& engine) {
    NoteFailure(engine.LastOutcome(), engine.LastAnswerWasForAnother());
  }
  // Notes a failed exchange; `forAnother`: only a reply to another command came back.
  void NoteFailure(Outcome failed, bool forAnother);
  // Ends the pass: nothing more is to be had (`why`: what showed it).
  void GiveUp(Outcome why) {
    Note(why);
    givenUp_ = true;
  }
  // Notes an exchange that was answered as asked.
  void NoteSuccess() { unansweredInARow_ = 0; }
  bool GivenUp() const {
    return givenUp_ || outcome_ == Outcome::ChannelLost ||
           unansweredInARow_ >= kUnansweredToGiveUp || unanswered_ >= kUnansweredInTotal;
  }
  // Done while nothing failed; otherwise the weightiest failure: a lost channel, then
  // silence, then a refusal.
  Outcome Result() const { return outcome_; }
  void Note(Outcome outcome);

 private:
  Outcome outcome_ = Outcome::Done;
  int unansweredInARow_ = 0;
  int unanswered_ = 0;
  bool givenUp_ = false;
};

}  // namespace vistrel
