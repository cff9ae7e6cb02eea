#pragma once

#include <cstdint>

#include "camera/CameraSession.h"
#include "core/Command.h"
#include "core/ControlIds.h"
#include "core/ParameterTable.h"
#include "core/TimeLimits.h"
#include "params/ControlPanel.h"

namespace vistrel {

// What every parameter handler works with: the table, the engine, the controls, and the
// session with the model record, the Camera Link state and the message presenter.
struct HandlerContext {
  ParameterTable& table;
  Command& engine;
  IControlPanel& panel;
  CameraSession& session;
};

// The common path of the table-bound controls: the control's value is stored in its row,
// every changed row is sent and read back, and the rows are marked as sent.
namespace TableBound {

constexpr int kWriteTimeoutMs = limits::kReplyMs;

// The number fields of the entry tables (the sequencer entry with its index, the pixel, LUT
// and position tables), which their own "Write" buttons send.
bool IsEntryTableField(int ctrlId);
// The sequencer choices whose values reach the camera only with the sequencer entry.
bool IsSequencerEntryChoice(int ctrlId);

// Stores `value` in the row of `ctrlId`, sends what changed and marks all rows sent; BadInput
// when the row does not take the value.
Outcome StoreAndSend(HandlerContext& context, int ctrlId, int32_t value);

void OnParameterSelect(HandlerContext& context, int ctrlId);
void OnParameterCheck(HandlerContext& context, int ctrlId);
void OnRadioChange(HandlerContext& context, int buttonId);

}  // namespace TableBound

}  // namespace vistrel
