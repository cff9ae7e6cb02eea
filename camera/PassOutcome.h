#pragma once

#include "core/Command.h"
#include "core/Outcome.h"
#include "core/TimeLimits.h"

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

  // A camera that leaves an exchange unanswered is asked for its model with this short
  // limit: a camera that answers nothing at all ends the pass at once, one that merely
  // passed over a row is read to the end.
  static constexpr int kProbeMs = limits::kProbeMs;

  // Notes the engine's last exchange, which ended `failed`; when it went unanswered, probes
  // the camera (see kProbeMs).
  void NoteFailure(Command& engine, Outcome failed) {
    NoteFailure(engine, failed, engine.LastAnswerWasForAnother());
  }
  // Notes a failed exchange that `engine` made; `forAnother`: only a reply to another
  // command came back.
  void NoteFailure(Command& engine, Outcome failed, bool forAnother);
  // Notes a failed exchange after which the pass stops anyway: no probe.
  void NoteFailure(Outcome failed, bool forAnother);
  // Whether the pass probed the camera after an unanswered exchange.
  bool Probed() const { return probes_ > 0; }
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
  int probes_ = 0;
};

}  // namespace vistrel
