#include "app/AccessCode.h"

#include <cstddef>

namespace vistrel {

std::array<int, 3> AccessCode::Letters() {
  const char first = 'Q';
  const char second = static_cast<char>(first + 7);  // X
  const char third = static_cast<char>(second - 2);  // V
  return {first, second, third};
}

AccessCode::Result AccessCode::Press(int key, bool shift, bool ctrl) {
  if (key == kF12 && shift && ctrl) {
    armed_ = true;
    matched_ = 0;
    return Result::Armed;
  }
  if (!armed_)
    return Result::Ignored;
  if (key != Letters()[static_cast<size_t>(matched_)]) {
    armed_ = false;
    matched_ = 0;
    return Result::Disarmed;
  }
  if (++matched_ < 3)
    return Result::Advanced;
  armed_ = false;
  matched_ = 0;
  return Result::Completed;
}

}  // namespace vistrel
