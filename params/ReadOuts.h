#pragma once

#include <cstdint>
#include <string>

#include "params/TableBoundPath.h"

namespace vistrel::ReadOuts {

// The name of a video send mode as field 5114 shows it.
std::string VideoModeName(int32_t mode);
// The text of field 5109 for the camera's baud rate mask.
std::string BaudLimitText(int32_t mask);
// A temperature reply (1/128 degree) as "31.25".
std::string TemperatureText(int32_t reply);

// Queries VSM and shows its name in 5114; false when the camera did not answer.
bool RefreshVideoModeText(HandlerContext& context);
// Queries SBDRT and shows the limit text in 5109; false when the camera did not answer.
bool RefreshBaudLimitText(HandlerContext& context);

}  // namespace vistrel::ReadOuts
