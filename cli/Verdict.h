#pragma once

#include <string>

#include "core/Outcome.h"

namespace vistrel {

// What went wrong and what to do about it, for the one line that ends a failed run.
struct Verdict {
  std::string what;
  std::string advice;
};

// The verdict of an operation that ended with `status` (an exit status of vistrelctl) and
// gave none of its own; `last` is how its last failed operation ended.
Verdict VerdictFor(int status, Outcome last, const std::string& operation);

// The advice for a camera that does not answer or whose channel was lost.
Verdict SilentCameraVerdict(Outcome last);

}  // namespace vistrel
