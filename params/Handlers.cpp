#include "params/Handlers.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/ControlIds.h"
#include "params/Buttons.h"
#include "params/DelegatedHandlers.h"
#include "params/DirectSettings.h"
#include "params/EditRules.h"
#include "params/Geometry.h"
#include "params/HandlerSupport.h"
#include "params/RawQueries.h"

namespace vistrel::Handlers {

namespace {

constexpr const char* kOutOfRangeCaption = "Value out of range";
constexpr std::array kReadOuts = {ctl::BaudLimitText, ctl::VideoModeText, ctl::MultiRoiMode};

// Stores the adjusted value of a field whose rule sends it at once.
void SendAdjusted(HandlerContext& context, int editId, int32_t value) {
  context.panel.SetEditText(editId, std::to_string(value));
  if (!context.table.SetDataValue(editId, value))
    return;
  context.table.WriteChangedParameters(context.engine, context.panel, TableBound::kWriteTimeoutMs);
}

std::string OutOfRangeText(int32_t typed, int32_t minimum, int32_t maximum) {
  return std::to_string(typed) + " is outside the range of this setting (" +
         std::to_string(minimum) + " to " + std::to_string(maximum) +
         "). Nothing was sent; the setting keeps its value.";
}

}  // namespace

bool IsReadOut(int ctrlId) {
  return std::ranges::find(kReadOuts, ctrlId) != kReadOuts.end();
}

void OnParameterEdit(HandlerContext& context, int editId) {
  IControlPanel& panel = context.panel;
  const int spin = panel.SpinOfEdit(editId);
  if (spin == 0)
    return;
  if (IsReadOut(editId))
    return;  // it shows what the camera reports; nothing typed there is sent
  const std::optional<int32_t> typed = ParseWholeNumber(panel.EditText(editId));
  if (!typed) {
    RestoreField(context, editId);
    return;
  }
  const EditRules::Adjusted adjusted = EditRules::Adjust(context, editId, *typed);
  if (adjusted.flow == EditRules::Flow::Stopped)
    return;
  if (adjusted.flow == EditRules::Flow::Done) {
    SendAdjusted(context, editId, adjusted.value);
    return;
  }
  // A value outside the range is refused with the range shown, never moved into it (the
  // rules above may round or fit a value, but not bring one in from outside).
  const auto outside = [](int32_t value, int32_t minimum, int32_t maximum) {
    return value < minimum || value > maximum;
  };
  if (int32_t minimum = 0, maximum = 0;
      panel.SpinRange(spin, minimum, maximum) &&
      (outside(*typed, minimum, maximum) || outside(adjusted.value, minimum, maximum))) {
    RestoreField(context, editId);
    context.session.Messages().ShowMessage(OutOfRangeText(*typed, minimum, maximum),
                                           kOutOfRangeCaption, MessageIcon::Exclamation);
    return;
  }
  const int32_t value = panel.SetSpinPosition(spin, adjusted.value);
  panel.SetEditText(editId, std::to_string(value));
  if (!Geometry::Accept(context, editId, value))
    return;
  if (!TableBound::IsEntryTableField(editId) && HasTableRow(context.table, editId))
    TableBound::StoreAndSend(context, editId, value);
  if (Geometry::IsMainRegionField(editId))
    RawQueries::RequeryRegion(context);
}

void OnParameterSpin(HandlerContext& context, int spinId, int32_t position, int32_t step) {
  IControlPanel& panel = context.panel;
  int32_t minimum = 0;
  int32_t maximum = 0;
  if (!panel.SpinRange(spinId, minimum, maximum))
    return;
  const int edit = panel.EditOfSpin(spinId);
  if (IsReadOut(edit))
    return;
  const int64_t wanted = static_cast<int64_t>(position) + step;
  const int32_t value = static_cast<int32_t>(std::clamp<int64_t>(wanted, minimum, maximum));
  panel.SetSpinPosition(spinId, value);
  if (edit != 0) {
    panel.SetEditText(edit, std::to_string(value));
    if (!TableBound::IsEntryTableField(edit) && HasTableRow(context.table, edit))
      TableBound::StoreAndSend(context, edit, value);
  }
  if (spinId == ctl::SequencerIndexSpin)
    Delegated::OnSequencerEntryRead(context, value);
}

void OnParameterCheck(HandlerContext& context, int ctrlId) {
  if (HasTableRow(context.table, ctrlId))
    TableBound::OnParameterCheck(context, ctrlId);
  if (ctrlId == ctl::ALCA || ctrlId == ctl::AWBA)
    Delegated::OnAreaSelectAll(context, ctrlId);
}

bool OnParameterButton(HandlerContext& context, int ctrlId) {
  if (Buttons::RunOneShot(context, ctrlId) || Buttons::RunRead(context, ctrlId) ||
      DirectSettings::Run(context, ctrlId))
    return true;
  return Delegated::OnEntryTableButton(context, ctrlId) ||
         Delegated::OnIdentityControl(context, ctrlId);
}

}  // namespace vistrel::Handlers
