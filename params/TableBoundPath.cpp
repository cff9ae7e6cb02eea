#include "params/TableBoundPath.h"

#include <algorithm>
#include <array>
#include <string>

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

}  // namespace vistrel::TableBound
