#pragma once

#include <cstdint>

#include "params/TableBoundPath.h"

// The entry points of the parameter handlers: every notification of a page control comes
// here, and each control either takes the common table-bound path or its family's handler.
namespace vistrel::Handlers {

// A number field was committed (Enter or leaving it).
void OnParameterEdit(HandlerContext& context, int editId);
// An arrow of an up-down control: `position` is its position, `step` +1 or -1.
void OnParameterSpin(HandlerContext& context, int spinId, int32_t position, int32_t step);
void OnParameterSelect(HandlerContext& context, int ctrlId);
void OnParameterCheck(HandlerContext& context, int ctrlId);
// A push button; false when no handler here knows it.
bool OnParameterButton(HandlerContext& context, int ctrlId);

// Whether a field only shows what the camera reports (nothing typed there is sent).
bool IsReadOut(int ctrlId);

}  // namespace vistrel::Handlers
