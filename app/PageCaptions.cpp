#include "app/PageCaptions.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLabel>
#include <optional>

#include "app/FieldNames.h"
#include "camera/models/ControlFacts.h"
#include "core/CommandTable.h"
#include "core/ParameterTable.h"

namespace vistrel {

std::string NoCommandTooltip(int commandId) {
  return "The camera has no command for this (id " + std::to_string(commandId) + ")";
}

std::string TooltipFor(int ctrlId, const std::map<int, Caption>& captions,
                       const ParameterTable& table) {
  if (const auto it = captions.find(ctrlId); it != captions.end() && !it->second.tooltip.empty())
    return it->second.tooltip;
  for (int i = 0; i < table.RowCount(); ++i) {
    if (table.Row(i).ctrlId != ctrlId)
      continue;
    const int32_t commandId = table.Row(i).commandId;
    const std::string_view name = CommandTable::Name(commandId);
    return name.empty() ? "id " + std::to_string(commandId) : std::string(name);
  }
  return {};
}

void ApplyCaptions(QWidget* root, const std::map<int, Caption>& captions,
                   const ParameterTable& table) {
  for (const auto& [ctrlId, caption] : captions) {
    const QString id = QString::number(ctrlId);
    QWidget* control = root->findChild<QWidget*>("c" + id);
    QLabel* label =
        control != nullptr ? CaptionLabelOf(root, control) : root->findChild<QLabel*>("l" + id);
    if (control == nullptr && label == nullptr)
      continue;
    const QString text = QString::fromStdString(caption.text);
    if (label != nullptr)
      label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
      button->setText(text);
    const QString tooltip = QString::fromStdString(TooltipFor(ctrlId, captions, table));
    for (QWidget* widget : {control, static_cast<QWidget*>(label)}) {
      if (widget != nullptr && !tooltip.isEmpty())
        widget->setToolTip(tooltip);
    }
  }
}

std::string RangeTooltip(const std::string& base, int editId, int32_t minimum, int32_t maximum) {
  std::string unit;
  if (const std::optional<ControlUnit> known = UnitOf(editId))
    unit =
        *known->unit != '\0' ? std::string(" ") + known->unit : std::string(" × ") + known->scale;
  std::string text = base.empty() ? std::string() : base + "\n";
  return text + "Range " + std::to_string(minimum) + " to " + std::to_string(maximum) + unit;
}

}  // namespace vistrel
