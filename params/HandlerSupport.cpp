#include "params/HandlerSupport.h"

#include <charconv>

#include "core/CommandTable.h"

namespace vistrel {

std::optional<int32_t> ParseWholeNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return std::nullopt;
  const size_t last = text.find_last_not_of(" \t");
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+')
    ++begin;
  int32_t value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end)
    return std::nullopt;
  return value;
}

bool HasTableRow(const ParameterTable& table, int ctrlId) {
  for (int i = 0; i < table.RowCount(); ++i) {
    if (table.Row(i).ctrlId == ctrlId)
      return true;
  }
  return false;
}

void RestoreField(HandlerContext& context, int editId) {
  IControlPanel& panel = context.panel;
  const int spin = panel.SpinOfEdit(editId);
  int32_t value = spin != 0 ? panel.SpinPosition(spin) : 0;
  if (HasTableRow(context.table, editId))
    value = context.table.GetDataValue(editId);
  panel.SetEditText(editId, std::to_string(value));
  if (spin != 0)
    panel.SetSpinPosition(spin, value);
}

int SelectionOf(const IControlPanel& panel, int ctrlId) {
  const int index = panel.SelectedIndex(ctrlId);
  return index < 0 ? 0 : index;
}

bool RequeryParameter(HandlerContext& context, int ctrlId) {
  const int32_t command = context.table.ToCmdId(ctrlId);
  int32_t value = 0;
  if (command < 0 || context.engine.GetValue(command, value, kHandlerQueryMs) != Outcome::Done)
    return false;
  context.table.SetDataValue(ctrlId, value);
  context.panel.ShowParameter(ctrlId, value);
  return true;
}

std::optional<int32_t> RawQuery(HandlerContext& context, const std::string& name) {
  int32_t value = 0;
  if (context.engine.QueryRaw(value, name + "?\r\n", kHandlerQueryMs, true) != Outcome::Done)
    return std::nullopt;
  return value;
}

std::optional<int32_t> RawRequery(HandlerContext& context, const std::string& name, int ctrlId) {
  const std::optional<int32_t> value = RawQuery(context, name);
  if (!value)
    return std::nullopt;
  context.panel.ShowParameter(ctrlId, *value);
  context.table.SetDataValue(ctrlId, *value);
  context.table.MarkAllSent();
  return value;
}

}  // namespace vistrel
