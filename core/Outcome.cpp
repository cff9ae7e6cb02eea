#include "core/Outcome.h"

namespace vistrel {

const char* OutcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Done:
      return "done";
    case Outcome::Refused:
      return "refused by the camera";
    case Outcome::NoReply:
      return "no reply from the camera";
    case Outcome::ChannelLost:
      return "the channel to the camera was lost";
    case Outcome::BadInput:
      return "bad input";
    case Outcome::NotWritten:
      return "the file was not written";
  }
  return "unknown";
}

}  // namespace vistrel
