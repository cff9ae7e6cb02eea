#pragma once

#include <optional>

namespace vistrel {

// How an operation with the camera ended. Front ends map it to their messages and exit
// statuses; nothing derives it from the messages shown.
enum class Outcome {
  Done,         // the camera did what was asked
  Refused,      // the camera answered with something else (its line was shown)
  NoReply,      // no answer within the time limit
  ChannelLost,  // the channel failed or was hung up: nothing more can arrive
  BadInput,     // the request or the file was not usable; nothing was sent for it
  NotWritten,   // a file could not be written (the camera was not involved)
};

// A short text for logs and messages ("done", "refused", ...).
const char* OutcomeText(Outcome outcome);

// Whether the camera gave a line back (a refusal is an answer).
inline bool Answered(Outcome outcome) {
  return outcome == Outcome::Done || outcome == Outcome::Refused;
}

// What a read of the camera brought back: how it ended, and the value when it ended Done.
template <typename T>
struct [[nodiscard]] Reading {
  Outcome outcome = Outcome::NoReply;
  std::optional<T> value;
};

}  // namespace vistrel
