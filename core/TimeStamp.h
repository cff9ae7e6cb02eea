#pragma once

#include <string>

namespace vistrel {

// The stamp in front of a traffic log line: UTC minute, second and millisecond, then two
// blanks ("07:42:015  ").
std::string TrafficTimeStamp();

}  // namespace vistrel
