#include "camera/PassOutcome.h"

#include <string>

#include "core/CommandIds.h"

namespace vistrel {
namespace {

int Weight(Outcome outcome) {
  switch (outcome) {
    case Outcome::ChannelLost:
      return 3;
    case Outcome::NoReply:
      return 2;
    case Outcome::Refused:
    case Outcome::BadInput:
    case Outcome::NotWritten:
      return 1;
    case Outcome::Done:
      break;
  }
  return 0;
}

}  // namespace

void PassOutcome::Note(Outcome outcome) {
  if (Weight(outcome) > Weight(outcome_))
    outcome_ = outcome;
}

void PassOutcome::NoteFailure(Outcome failed, bool forAnother) {
  Note(failed);
  const bool unanswered = failed == Outcome::NoReply || failed == Outcome::ChannelLost ||
                          (failed == Outcome::Refused && forAnother);
  unansweredInARow_ = unanswered ? unansweredInARow_ + 1 : 0;
  unanswered_ += unanswered ? 1 : 0;
}

void PassOutcome::NoteFailure(Command& engine, Outcome failed, bool forAnother) {
  NoteFailure(failed, forAnother);
  if (failed != Outcome::NoReply || GivenUp())
    return;
  ++probes_;
  std::string model;
  if (const Outcome probed = engine.GetText(cmd::MD, model, kProbeMs); !Answered(probed))
    GiveUp(probed);
}

}  // namespace vistrel
