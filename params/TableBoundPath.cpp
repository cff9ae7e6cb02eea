#include "params/TableBoundPath.h"

#include <algorithm>
#include <array>
#include <string>

#include "camera/EntryTables.h"

namespace vistrel::TableBound {

namespace {

constexpr std::array kSequencerEntryChoices = {ctl::SQHB, ctl::SQVB, ctl::SQLUT};

}  // namespace

bool IsEntryTableField(int ctrlId) {
  if (ctrlId == 0)
    return false;  // the tables without page controls
  if (ctrlId == ctl::SequencerIndex)
    return true;
  const size_t field = SequencerFieldIndex(ctrlId);
  if (field < kSequencerFieldCount)
    return SequencerFields()[field].kind == SequencerFieldKind::Number;
  return std::ranges::any_of(PixelTables(), [ctrlId](const PixelTable& table) {
    return table.indexCtrl == ctrlId || table.valueCtrl == ctrlId;
  });
}

bool IsSequencerEntryChoice(int ctrlId) {
  return std::ranges::find(kSequencerEntryChoices, ctrlId) != kSequencerEntryChoices.end();
}

Outcome StoreAndSend(HandlerContext& context, int ctrlId, int32_t value) {
  if (!context.table.SetDataValue(ctrlId, value))
    return Outcome::BadInput;
  const Outcome sent =
      context.table.WriteChangedParameters(context.engine, context.panel, kWriteTimeoutMs);
  context.table.MarkAllSent();
  return sent;
}

void OnParameterSelect(HandlerContext& context, int ctrlId) {
  if (ctrlId == ctl::ModelChoice)
    return;
  // An empty selection (a camera value no entry carries) is no value to send.
  const std::optional<int32_t> value = context.panel.ReadControlValue(ctrlId);
  if (!value || !context.table.SetDataValue(ctrlId, *value))
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
