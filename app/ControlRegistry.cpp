#include "app/ControlRegistry.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <algorithm>
#include <utility>

#include "app/PageCaptions.h"
#include "app/UpDown.h"
#include "camera/models/ChoiceLists.h"
#include "core/Conversions.h"
#include "core/ParameterTable.h"

namespace vistrel {

namespace {

int32_t ItemValue(const QComboBox* combo, int index) {
  return combo->itemData(index, ControlRegistry::kItemValueRole).toInt();
}

// The control id a caption ("l<id>") belongs to; 0 for any other widget.
int CaptionId(const QWidget* widget) {
  const QString name = widget->objectName();
  if (name.size() < 2 || name[0] != 'l')
    return 0;
  bool ok = false;
  const int id = name.mid(1).toInt(&ok);
  return ok ? id : 0;
}

}  // namespace

std::vector<QRadioButton*> ControlRegistry::GroupOf(const QRadioButton* button) {
  std::vector<QRadioButton*> group;
  for (QObject* child : button->parent()->children()) {
    if (auto* radio = qobject_cast<QRadioButton*>(child))
      group.push_back(radio);
  }
  return group;
}

ControlRegistry::ControlRegistry(ParameterTable& table, QObject* parent)
    : QObject(parent), table_(table) {}

int ControlRegistry::IdOf(const QWidget* control) {
  const QString name = control->objectName();
  if (name.size() < 2 || name[0] != 'c')
    return 0;
  bool ok = false;
  const int id = name.mid(1).toInt(&ok);
  return ok ? id : 0;
}

ControlClass ControlRegistry::ClassOf(const QWidget* control) {
  if (control == nullptr)
    return ControlClass::None;
  if (qobject_cast<const QLineEdit*>(control))
    return ControlClass::Edit;
  if (qobject_cast<const CUpDown*>(control))
    return ControlClass::UpDown;
  if (qobject_cast<const QComboBox*>(control))
    return ControlClass::Combo;
  if (qobject_cast<const QPushButton*>(control))
    return ControlClass::PushButton;
  if (qobject_cast<const QCheckBox*>(control))
    return ControlClass::CheckBox;
  if (qobject_cast<const QRadioButton*>(control))
    return ControlClass::Radio;
  if (qobject_cast<const QAbstractButton*>(control))
    return ControlClass::OtherButton;
  return ControlClass::None;
}

void ControlRegistry::AddRoot(QWidget* root) {
  roots_.push_back(root);
  QList<QWidget*> found = root->findChildren<QWidget*>();
  found.prepend(root);
  // A root may hold controls an earlier root already added (the main dialog holds the
  // pages); those are connected once only.
  std::vector<std::pair<QWidget*, int>> added;
  for (QWidget* control : found) {
    if (const int caption = CaptionId(control); caption != 0)
      captions_.emplace(caption, control);
    else if (const auto* label = qobject_cast<QLabel*>(control); label && label->buddy())
      captions_.emplace(IdOf(label->buddy()), control);  // a caption with an id of its own
    const int id = IdOf(control);
    if (id == 0 || controls_.contains(id))
      continue;
    controls_.emplace(id, control);
    added.emplace_back(control, id);
  }
  // Link every up-down control with its number field, both ways.
  for (QWidget* control : found) {
    auto* spin = qobject_cast<CUpDown*>(control);
    if (spin == nullptr || IdOf(spin) == 0)
      continue;
    QWidget* buddy = root->findChild<QWidget*>(spin->buddyName());
    if (buddy != nullptr && IdOf(buddy) != 0) {
      spinOfEdit_[IdOf(buddy)] = IdOf(spin);
      editOfSpin_[IdOf(spin)] = IdOf(buddy);
    }
  }
  for (const auto& [control, id] : added)
    Connect(control, id);
  // The radio buttons after the first of a group carry no id of their own.
  for (auto* radio : root->findChildren<QRadioButton*>()) {
    if (IdOf(radio) != 0 || !connectedRadios_.insert(radio).second)
      continue;
    const std::vector<QRadioButton*> group = GroupOf(radio);
    if (!group.empty() && IdOf(group.front()) != 0) {
      const int first = IdOf(group.front());
      connect(radio, &QRadioButton::clicked, this,
              [this, first] { Notify(Notification::RadioClicked, first); });
    }
  }
}

void ControlRegistry::Connect(QWidget* control, int id) {
  switch (ClassOf(control)) {
    case ControlClass::Edit: {
      auto* edit = static_cast<QLineEdit*>(control);
      // A read-out shows what the camera reports; nothing in it is sent.
      connect(edit, &QLineEdit::editingFinished, this, [this, id, edit] {
        if (!edit->isReadOnly())
          Notify(Notification::EditCommitted, id);
      });
      break;
    }
    case ControlClass::UpDown:
      connect(static_cast<CUpDown*>(control), &CUpDown::stepRequested, this,
              [this, id](int position, int step) {
                Notify(Notification::Spin, id, PositionFromBuddy(id, position), step);
              });
      break;
    case ControlClass::Combo:
      connect(static_cast<QComboBox*>(control), &QComboBox::activated, this,
              [this, id] { Notify(Notification::Selected, id); });
      break;
    case ControlClass::PushButton:
      connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
              [this, id] { Notify(Notification::ButtonClicked, id); });
      break;
    case ControlClass::CheckBox:
      connect(static_cast<QCheckBox*>(control), &QCheckBox::clicked, this,
              [this, id] { Notify(Notification::Checked, id); });
      break;
    case ControlClass::Radio:
      connect(static_cast<QRadioButton*>(control), &QRadioButton::clicked, this,
              [this, id] { Notify(Notification::RadioClicked, id); });
      break;
    case ControlClass::None:
    case ControlClass::OtherButton:
      break;
  }
}

int32_t ControlRegistry::PositionFromBuddy(int spinId, int32_t position) {
  // An arrow continues from what the number field shows, even if it was typed and not yet
  // committed; text that is no number or lies outside the range leaves the position as it was.
  auto* spin = qobject_cast<CUpDown*>(FindControl(spinId));
  auto* buddy = qobject_cast<QLineEdit*>(FindControl(EditOfSpin(spinId)));
  if (spin == nullptr || buddy == nullptr)
    return position;
  bool ok = false;
  const int typed = buddy->text().trimmed().toInt(&ok);
  if (!ok || typed < spin->Minimum() || typed > spin->Maximum())
    return position;
  return spin->SetPosition(typed);
}

void ControlRegistry::Detach() {
  handler_ = nullptr;
  for (const auto& [id, control] : controls_)
    disconnect(control, nullptr, this, nullptr);
  for (const QWidget* radio : connectedRadios_)
    disconnect(radio, nullptr, this, nullptr);
}

void ControlRegistry::Notify(Notification what, int id, int32_t position, int32_t step) {
  if (handler_)
    handler_(what, id, position, step);
}

QWidget* ControlRegistry::FindControl(int ctrlId) const {
  const auto it = controls_.find(ctrlId);
  return it == controls_.end() ? nullptr : it->second;
}

bool ControlRegistry::Show(int ctrlId, int32_t value) {
  QWidget* control = FindControl(ctrlId);
  switch (ClassOf(control)) {
    case ControlClass::Edit:
      static_cast<QLineEdit*>(control)->setText(QString::number(value));
      return true;
    case ControlClass::UpDown: {
      auto* spin = static_cast<CUpDown*>(control);
      spin->SetPosition(value);
      if (auto* buddy = qobject_cast<QLineEdit*>(FindControl(EditOfSpin(ctrlId))))
        buddy->setText(QString::number(value));
      return true;
    }
    case ControlClass::Combo:
      ShowInChoice(ctrlId, static_cast<QComboBox*>(control), value);
      return true;
    case ControlClass::CheckBox:
      static_cast<QCheckBox*>(control)->setChecked(value != 0);
      return true;
    case ControlClass::Radio: {
      const std::vector<QRadioButton*> group = GroupOf(static_cast<QRadioButton*>(control));
      const auto start = std::find(group.begin(), group.end(), control) - group.begin();
      for (size_t i = 0; i < group.size(); ++i) {
        group[i]->setAutoExclusive(false);
        group[i]->setChecked(static_cast<int64_t>(i) - start == value);
        group[i]->setAutoExclusive(true);
      }
      return true;
    }
    case ControlClass::None:
    case ControlClass::PushButton:
    case ControlClass::OtherButton:
      return false;
  }
  return false;
}

void ControlRegistry::ShowParameter(int ctrlId, int32_t value) {
  // A number row shows through its up-down control when it has one, so both agree.
  const int spin = SpinOfEdit(ctrlId);
  if (spin != 0 && Show(spin, value))
    return;
  Show(ctrlId, value);
}

std::optional<int32_t> ControlRegistry::ReadControlValue(int ctrlId) {
  QWidget* control = FindControl(ctrlId);
  switch (ClassOf(control)) {
    case ControlClass::Edit:
      return DecimalToInt(static_cast<QLineEdit*>(control)->text().toStdString());
    case ControlClass::UpDown:
      return static_cast<CUpDown*>(control)->Position();
    case ControlClass::Combo: {
      auto* combo = static_cast<QComboBox*>(control);
      const int index = combo->currentIndex();
      if (index < 0)
        return std::nullopt;  // an empty selection is no value
      const int32_t value = ItemValue(combo, index);
      if (value == 0 && !ZeroItemValueIsValue(ctrlId))
        return index;
      return value;
    }
    case ControlClass::CheckBox:
      return static_cast<QCheckBox*>(control)->isChecked() ? 1 : 0;
    case ControlClass::Radio: {
      int first = 0;
      int position = 0;
      RadioGroupOf(ctrlId, first, position);
      return position;
    }
    case ControlClass::None:
    case ControlClass::PushButton:
    case ControlClass::OtherButton:
      break;
  }
  return std::nullopt;
}

void ControlRegistry::ApplyRanges() {
  const RangeInputs inputs = rangeSource_ ? rangeSource_() : RangeInputs{};
  for (int i = 0; i < table_.RowCount(); ++i) {
    const ParameterEntry& row = table_.Row(i);
    if (row.kind != ControlKind::Number)
      continue;
    const int spin = SpinOfEdit(row.ctrlId);
    int32_t minimum = 0;
    int32_t maximum = 0;
    if (spin != 0 && NumberRangeFor(row, inputs, minimum, maximum))
      SetSpinRange(spin, minimum, maximum);
  }
}

int ControlRegistry::SpinOfEdit(int editId) const {
  const auto it = spinOfEdit_.find(editId);
  return it == spinOfEdit_.end() ? 0 : it->second;
}

int ControlRegistry::EditOfSpin(int spinId) const {
  const auto it = editOfSpin_.find(spinId);
  return it == editOfSpin_.end() ? 0 : it->second;
}

std::string ControlRegistry::EditText(int editId) const {
  auto* edit = qobject_cast<QLineEdit*>(FindControl(editId));
  return edit ? edit->text().toStdString() : std::string();
}

void ControlRegistry::SetEditText(int editId, const std::string& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(FindControl(editId)))
    edit->setText(QString::fromStdString(text));
}

int32_t ControlRegistry::SetSpinPosition(int spinId, int32_t position) {
  auto* spin = qobject_cast<CUpDown*>(FindControl(spinId));
  return spin ? spin->SetPosition(position) : position;
}

int32_t ControlRegistry::SpinPosition(int spinId) const {
  auto* spin = qobject_cast<CUpDown*>(FindControl(spinId));
  return spin ? spin->Position() : 0;
}

bool ControlRegistry::SpinRange(int spinId, int32_t& minimum, int32_t& maximum) const {
  auto* spin = qobject_cast<CUpDown*>(FindControl(spinId));
  if (spin == nullptr)
    return false;
  minimum = spin->Minimum();
  maximum = spin->Maximum();
  return true;
}

void ControlRegistry::SetSpinRange(int spinId, int32_t minimum, int32_t maximum) {
  auto* spin = qobject_cast<CUpDown*>(FindControl(spinId));
  if (spin == nullptr)
    return;
  spin->SetRange(minimum, maximum);
  const int editId = EditOfSpin(spinId);
  if (FindControl(editId) == nullptr || disabledForGood_.contains(editId))
    return;
  rangeTexts_[editId] = QString::fromStdString(RangeTooltip({}, editId, minimum, maximum));
  ComposeTooltip(editId);
}

bool ControlRegistry::RadioGroupOf(int buttonId, int& firstId, int& position) const {
  auto* radio = qobject_cast<QRadioButton*>(FindControl(buttonId));
  if (radio == nullptr)
    return false;
  const std::vector<QRadioButton*> group = GroupOf(radio);
  firstId = IdOf(group.front());
  position = 0;
  for (size_t i = 0; i < group.size(); ++i) {
    if (group[i]->isChecked())
      position = static_cast<int>(i);
  }
  return true;
}

std::vector<std::string> ControlRegistry::ChoiceTexts(int ctrlId) const {
  std::vector<std::string> texts;
  if (auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId))) {
    for (int i = 0; i < combo->count(); ++i)
      texts.push_back(combo->itemText(i).toStdString());
  }
  return texts;
}

void ControlRegistry::SetItemValues(int ctrlId, const std::vector<int32_t>& values) {
  auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId));
  if (combo == nullptr)
    return;
  for (int i = 0; i < combo->count() && i < static_cast<int>(values.size()); ++i)
    combo->setItemData(i, values[static_cast<size_t>(i)], kItemValueRole);
}

void ControlRegistry::RefillChoice(int ctrlId, const std::vector<ChoiceItem>& items) {
  auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId));
  if (combo == nullptr)
    return;
  combo->clear();
  for (const ChoiceItem& item : items)
    combo->addItem(QString::fromStdString(item.text), item.value);
  combo->setCurrentIndex(-1);
}

int ControlRegistry::SelectedIndex(int ctrlId) const {
  auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId));
  return combo == nullptr ? -1 : combo->currentIndex();
}

void ControlRegistry::SelectIndex(int ctrlId, int index) {
  if (auto* combo = qobject_cast<QComboBox*>(FindControl(ctrlId)))
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

}  // namespace vistrel
