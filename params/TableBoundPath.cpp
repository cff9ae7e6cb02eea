#include "params/TableBoundPath.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/Conversions.h"

namespace vistrel::TableBound {

namespace {

constexpr std::array kEntryTableFields = {
    1416, 1417, 1423, 1424, 1427, 1434, 1438, 1441, 1449, 1452, 1456, 1457, 1460, 1461, 1465,
    1547, 1549, 1567, 1569, 2515, 2517, 2521, 2523, 2527, 2529, 2554, 2556, 2560, 2562, 2767,
    2769, 2771, 2773, 2775, 2777, 2779, 2781, 2783, 2788, 2790, 2792, 5131, 5133, 5135, 5137};

constexpr std::array kSequencerEntryChoices = {ctl::SQHB, ctl::SQVB, ctl::SQLUT};

}  // namespace

bool IsEntryTableField(int ctrlId) {
  return std::ranges::find(kEntryTableFields, ctrlId) != kEntryTableFields.end();
}

bool IsSequencerEntryChoice(int ctrlId) {
  return std::ranges::find(kSequencerEntryChoices, ctrlId) != kSequencerEntryChoices.end();
}

bool StoreAndSend(HandlerContext& context, int ctrlId, int32_t value) {
  if (!context.table.SetDataValue(ctrlId, value))
    return false;
  const bool sent =
      context.table.WriteChangedParameters(context.engine, context.panel, kWriteTimeoutMs);
  context.table.MarkAllSent();
  return sent;
}

void OnParameterSelect(HandlerContext& context, int ctrlId) {
  if (ctrlId == ctl::ModelChoice)
    return;
  const std::optional<int32_t> value = context.panel.ReadControlValue(ctrlId);
  if (!context.table.SetDataValue(ctrlId, value.value_or(-1)))
    return;
  context.table.ShowChangedParameters(context.panel);
  if (!IsSequencerEntryChoice(ctrlId))
    context.table.WriteChangedParameters(context.engine, context.panel, kWriteTimeoutMs);
  context.table.MarkAllSent();
}

void OnParameterCheck(HandlerContext& context, int ctrlId) {
  const std::optional<int32_t> value = context.panel.ReadControlValue(ctrlId);
  StoreAndSend(context, ctrlId, value.value_or(-1));
}

void OnRadioChange(HandlerContext& context, int buttonId) {
  int first = 0;
  int position = 0;
  if (!context.panel.RadioGroupOf(buttonId, first, position))
    return;
  StoreAndSend(context, first, position);
}

void OnParameterEdit(HandlerContext& context, int editId) {
  const int spin = context.panel.SpinOfEdit(editId);
  if (spin == 0)
    return;
  int32_t value = DecimalToInt(context.panel.EditText(editId));
  context.panel.SetEditText(editId, std::to_string(value));
  // The up-down control keeps the value inside its range.
  value = context.panel.SetSpinPosition(spin, value);
  context.panel.SetEditText(editId, std::to_string(value));
  if (IsEntryTableField(editId))
    return;
  StoreAndSend(context, editId, value);
}

void OnParameterSpin(HandlerContext& context, int spinId, int32_t position, int32_t step) {
  int32_t minimum = 0;
  int32_t maximum = 0;
  if (!context.panel.SpinRange(spinId, minimum, maximum))
    return;
  const int64_t wanted = static_cast<int64_t>(position) + step;
  const int32_t value = static_cast<int32_t>(std::clamp<int64_t>(wanted, minimum, maximum));
  const int edit = context.panel.EditOfSpin(spinId);
  context.panel.SetSpinPosition(spinId, value);
  if (edit == 0)
    return;
  context.panel.SetEditText(edit, std::to_string(value));
  if (IsEntryTableField(edit))
    return;
  StoreAndSend(context, edit, value);
}

}  // namespace vistrel::TableBound
