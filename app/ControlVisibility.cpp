// The control registry: which controls (and choice entries) are offered, enabled and marked,
// and the texts of read-outs, captions and buttons.
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <utility>

#include "app/ControlRegistry.h"
#include "app/PageCaptions.h"
#include "app/UpDown.h"
#include "camera/EntryTables.h"

namespace vistrel {

namespace {

// The frame and inner margins of a field, both sides together.
constexpr int kReadOutMargins = 12;

constexpr const char* kUnwrittenProperty = "unwritten";
constexpr const char* kUnwrittenStyle = "background-color: #ffd6d6;";

// What is shown and hidden with `ctrlId` because it has no use alone: the read and write
// buttons of the table entry the field shows, the field a count button fills.
std::vector<int> CompanionsOf(int ctrlId) {
  for (const PixelTable& table : PixelTables()) {
    if (table.valueCtrl == ctrlId && table.queryButton != 0)
      return {table.queryButton, table.writeButton};
  }
  for (const CountReadout& readout : CountReadouts()) {
    if (readout.button == ctrlId)
      return {readout.field};
  }
  return {};
}

}  // namespace

QWidget* ControlRegistry::CaptionOf(int ctrlId) const {
  const auto it = captions_.find(ctrlId);
  return it == captions_.end() ? nullptr : it->second;
}

void ControlRegistry::SetControlEnabled(int ctrlId, bool enabled) {
  if (enabled && disabledForGood_.contains(ctrlId))
    return;
  if (QWidget* control = FindControl(ctrlId))
    control->setEnabled(enabled);
}

void ControlRegistry::DisableForGood(int ctrlId, const std::string& tooltip) {
  // The caption stays readable; the control, its up-down and its radio group do not act.
  const QWidget* caption = CaptionOf(ctrlId);
  for (QWidget* widget : WidgetsOf(ctrlId)) {
    widget->setToolTip(QString::fromStdString(tooltip));
    if (widget != caption)
      widget->setEnabled(false);
  }
  disabledForGood_.insert(ctrlId);
  if (QWidget* control = FindControl(ctrlId))
    control->setProperty(kBaseTooltip, QString::fromStdString(tooltip));
  rangeTexts_.erase(ctrlId);
  ComposeTooltip(ctrlId);
}

void ControlRegistry::ComposeTooltip(int ctrlId) {
  QWidget* control = FindControl(ctrlId);
  if (control == nullptr)
    return;
  if (!control->property(kBaseTooltip).isValid())
    control->setProperty(kBaseTooltip, control->toolTip());
  QStringList lines;
  if (unread_.contains(ctrlId))
    lines << kNotReadLine;
  if (const auto code = unknownCodes_.find(ctrlId); code != unknownCodes_.end())
    lines << QString("camera value %1 is not a choice here").arg(code->second);
  if (const QString base = control->property(kBaseTooltip).toString(); !base.isEmpty())
    lines << base;
  if (const auto range = rangeTexts_.find(ctrlId); range != rangeTexts_.end())
    lines << range->second;
  control->setToolTip(lines.join('\n'));
}

void ControlRegistry::ShowInChoice(int ctrlId, QComboBox* combo, int32_t value) {
  bool itemValues = false;
  int index = -1;
  for (int i = 0; i < combo->count(); ++i) {
    const QVariant item = combo->itemData(i, kItemValueRole);
    itemValues = itemValues || item.isValid();
    if (index < 0 && item.isValid() && item.toInt() == value)
      index = i;
  }
  if (!itemValues)
    index = value >= 0 && value < combo->count() ? value : -1;
  combo->setCurrentIndex(index);
  // A code no entry carries is shown as such, never as another entry.
  const bool unknown = itemValues && index < 0;
  const auto known = unknownCodes_.find(ctrlId);
  if (!unknown && known == unknownCodes_.end())
    return;
  if (!unknown) {
    unknownCodes_.erase(known);
  } else if (known == unknownCodes_.end() || known->second != value) {
    unknownCodes_[ctrlId] = value;
    if (noteSink_)
      noteSink_(TooltipFor(ctrlId, {}, table_) + ": camera value " + std::to_string(value) +
                " is not a choice here");
  } else {
    return;
  }
  ComposeTooltip(ctrlId);
}

std::vector<QWidget*> ControlRegistry::WidgetsOf(int ctrlId) const {
  std::vector<QWidget*> widgets;
  QWidget* control = FindControl(ctrlId);
  if (auto* radio = qobject_cast<QRadioButton*>(control)) {
    for (QRadioButton* member : GroupOf(radio))
      widgets.push_back(member);
  } else if (control != nullptr) {
    widgets.push_back(control);
  }
  for (QWidget* widget : {CaptionOf(ctrlId), FindControl(SpinOfEdit(ctrlId))}) {
    if (widget != nullptr)
      widgets.push_back(widget);
  }
  return widgets;
}

void ControlRegistry::Withhold(const std::vector<int>& ctrlIds) {
  const std::unordered_set<int> before = std::exchange(withheld_, {});
  withheld_.insert(ctrlIds.begin(), ctrlIds.end());
  for (int ctrlId : before) {
    if (!withheld_.contains(ctrlId))
      SetControlVisible(ctrlId, true);
  }
  for (int ctrlId : withheld_) {
    for (QWidget* widget : WidgetsOf(ctrlId))
      widget->setVisible(false);
    for (int companion : CompanionsOf(ctrlId)) {
      for (QWidget* widget : WidgetsOf(companion))
        widget->setVisible(false);
    }
  }
  HideEmptyGroups();
}

void ControlRegistry::HideEmptyGroups() {
  for (QWidget* group : std::exchange(hiddenGroups_, {}))
    group->setVisible(true);
  for (QWidget* root : roots_) {
    for (auto* group : root->findChildren<QGroupBox*>()) {
      bool any = false;
      bool allHidden = true;
      for (auto* child : group->findChildren<QWidget*>()) {
        const int id = IdOf(child);
        if (id == 0 || FindControl(id) != child || qobject_cast<CUpDown*>(child) != nullptr)
          continue;
        any = true;
        allHidden = allHidden && child->isHidden();
      }
      if (any && allHidden && !group->isHidden()) {
        group->setVisible(false);
        hiddenGroups_.insert(group);
      }
    }
  }
}

bool ControlRegistry::ControlEnabled(int ctrlId) const {
  const QWidget* control = FindControl(ctrlId);
  return control != nullptr && control->isEnabled();
}

void ControlRegistry::MarkUnwritten(int ctrlId, bool unwritten) {
  QWidget* control = FindControl(ctrlId);
  if (control == nullptr || control->property(kUnwrittenProperty).toBool() == unwritten)
    return;
  control->setProperty(kUnwrittenProperty, unwritten);
  control->setStyleSheet(unwritten ? kUnwrittenStyle : "");
}

bool ControlRegistry::MarkedUnwritten(int ctrlId) const {
  const QWidget* control = FindControl(ctrlId);
  return control != nullptr && control->property(kUnwrittenProperty).toBool();
}

void ControlRegistry::SetControlVisible(int ctrlId, bool visible) {
  if (visible && withheld_.contains(ctrlId))
    return;
  // A field goes with its caption, its up-down control and the buttons that act on it.
  for (QWidget* widget :
       {FindControl(ctrlId), CaptionOf(ctrlId), FindControl(SpinOfEdit(ctrlId))}) {
    if (widget != nullptr)
      widget->setVisible(visible);
  }
  for (int companion : CompanionsOf(ctrlId))
    SetControlVisible(companion, visible);
  HideEmptyGroups();
}

bool ControlRegistry::ControlVisible(int ctrlId) const {
  const QWidget* control = FindControl(ctrlId);
  return control != nullptr && !control->isHidden();
}

void ControlRegistry::ShowText(int ctrlId, const std::string& text) {
  QWidget* control = FindControl(ctrlId);
  const QString shown = QString::fromStdString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(shown);
    // A read-out shows its whole text, whatever the font: the field grows to it.
    const int needed = edit->fontMetrics().horizontalAdvance(shown) + kReadOutMargins;
    if (edit->isReadOnly() && needed > edit->minimumWidth())
      edit->setMinimumWidth(needed);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(shown);
  } else if (auto* group = qobject_cast<QGroupBox*>(control))
    group->setTitle(shown);
  else if (auto* button = qobject_cast<QAbstractButton*>(control))
    button->setText(shown);
}

std::string ControlRegistry::ControlText(int ctrlId) const {
  QWidget* control = FindControl(ctrlId);
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    return edit->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(control))
    return label->text().toStdString();
  if (auto* group = qobject_cast<QGroupBox*>(control))
    return group->title().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control))
    return button->text().toStdString();
  if (auto* combo = qobject_cast<QComboBox*>(control))
    return combo->currentText().toStdString();
  return {};
}

void ControlRegistry::MarkUnread(const std::vector<int>& ctrlIds) {
  std::unordered_set<int> marked;
  for (int id : ctrlIds) {
    if (FindControl(id) != nullptr)
      marked.insert(id);
  }
  std::swap(unread_, marked);  // `marked` now holds the marks before
  for (int id : marked) {
    if (!unread_.contains(id)) {
      FindControl(id)->setStyleSheet({});
      ComposeTooltip(id);
    }
  }
  for (int id : unread_) {
    if (marked.contains(id))
      continue;
    FindControl(id)->setStyleSheet(kUnreadStyle);
    ComposeTooltip(id);
  }
}

bool ControlRegistry::RemoveChoiceItem(int ctrlId, const std::string& text) {
  auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId));
  if (combo == nullptr)
    return false;
  const int index = combo->findText(QString::fromStdString(text), Qt::MatchExactly);
  if (index < 0)
    return false;
  combo->removeItem(index);
  return true;
}

}  // namespace vistrel
