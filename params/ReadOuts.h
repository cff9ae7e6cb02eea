#pragma once

#include <cstdint>
#include <string>

#include "params/TableBoundPath.h"

namespace vistrel::ReadOuts {

// The name of a video send mode as the video mode field shows it.
std::string VideoModeName(int32_t mode);
// The text of the baud limit field for the camera's baud rate mask.
std::string BaudLimitText(int32_t mask);
// A temperature reply (1/128 degree) as "31.25".
std::string TemperatureText(int32_t reply);

// Queries VSM and shows its name in the video mode field; false when the camera did not answer.
bool RefreshVideoModeText(HandlerContext& context);
// Queries SBDRT and shows the limit text in the baud limit field; false when the camera did not
// answer.
bool RefreshBaudLimitText(HandlerContext& context);

}  // namespace vistrel::ReadOuts
