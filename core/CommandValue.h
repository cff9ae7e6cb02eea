#pragma once

#include <cstdint>
#include <string>

namespace vistrel {

// How a command's value travels on the wire.
enum class ValueKind : int32_t { Integer = 0, Real = 1, Text = 2 };

// The value of a setting or of a query's answer.
struct CommandValue {
  ValueKind kind = ValueKind::Integer;
  int32_t intValue = 0;    // for Real: realValue scaled by 10^decimals, truncated toward zero
  double realValue = 0.0;  // only for Real commands
  std::string text;        // only for Text commands
};

}  // namespace vistrel
