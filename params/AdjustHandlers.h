#pragma once

#include "params/TableBoundPath.h"

namespace vistrel::AdjustHandlers {

// The one-shot adjustments of the image page, shading recalibration, the level control
// status and the metering areas. Each entry point returns true when it handled the control
// completely (its own table-bound steps included), false when the control is not one of
// these and the caller goes on with its own handling.
bool OnSelect(HandlerContext& context, int ctrlId);
bool OnButton(HandlerContext& context, int ctrlId);
bool OnCheck(HandlerContext& context, int ctrlId);

// The enabling rules, also run after a change of the individual gain mode.
void ApplyExposureAutoRule(HandlerContext& context);
void ApplyGainAutoRule(HandlerContext& context);
void ApplyWhiteGainRule(HandlerContext& context);

// The metering areas of one grid (`selectAllId` ctl::ALCA or ctl::AWBA): enabled unless "Select
// all" is checked, then each re-read from the camera in control id order.
void RefreshAreaSelection(HandlerContext& context, int selectAllId);

// The text of an unexpected choice value and its caption.
inline constexpr const char* kUnknownParameter = "Unkown Parameter";
inline constexpr const char* kErrorCaption = "Error";

}  // namespace vistrel::AdjustHandlers
