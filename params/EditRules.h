#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

namespace vistrel::EditRules {

// What follows the adjustment of a committed number.
enum class Flow {
  Continue,  // the range step, the region check and the send follow
  Done,      // the adjusted value is stored and sent at once
  Stopped,   // the rule did all there is to do
};

struct Adjusted {
  int32_t value;
  Flow flow;
};

// Adjusts a committed number by the rule of its field; fields without one keep the value.
Adjusted Adjust(HandlerContext& context, int editId, int32_t value);

}  // namespace vistrel::EditRules
