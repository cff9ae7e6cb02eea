#pragma once

#include <string>

namespace vistrel {

// The stamp in front of a traffic log line: UTC minute, second and millisecond, then two
// blanks ("07:42:015  ").
std::string TrafficTimeStamp();

// The stamp in front of a line of a command-line trace: UTC time of day to the millisecond,
// then two blanks ("14:07:42.015  ").
std::string TimeOfDayStamp();

}  // namespace vistrel
