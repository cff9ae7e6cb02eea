#include "app/FieldNames.h"

#include <QtCore/QEvent>
#include <QtCore/QHash>
#include <QtGui/QKeySequence>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>

#include "app/ControlRegistry.h"
#include "app/MainMenu.h"
#include "app/UpDown.h"

namespace vistrel {
namespace {

// Keeps the accessible description of the widgets it watches equal to their tooltips.
class TooltipMirror final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTipChange) {
      if (auto* widget = qobject_cast<QWidget*>(watched))
        widget->setAccessibleDescription(widget->toolTip());
    }
    return false;
  }
};

QString GroupTitleOf(const QWidget* widget) {
  for (const QWidget* parent = widget->parentWidget(); parent != nullptr;
       parent = parent->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(parent))
      return SpokenText(group->title());
  }
  return {};
}

QString CaptionTextOf(const QWidget* form, const QWidget* control) {
  if (const QLabel* label = CaptionLabelOf(form, control))
    return SpokenText(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(control))
    return SpokenText(button->text());
  return {};
}

// Names that repeat on a page get what tells them apart: first their group's title, then a
// number in the page's order.
void SetUniqueNames(const std::vector<QWidget*>& fields, std::vector<QString>& names) {
  for (int pass = 0; pass < 2; ++pass) {
    QHash<QString, int> seen;
    for (const QString& name : names)
      ++seen[name];
    QHash<QString, int> numbered;
    for (size_t i = 0; i < names.size(); ++i) {
      if (seen[names[i]] < 2)
        continue;
      const QString group = GroupTitleOf(fields[i]);
      if (pass == 0 && !group.isEmpty() && group != names[i])
        names[i] += " (" + group + ")";
      else if (pass == 1)
        names[i] += " " + QString::number(++numbered[names[i]]);
    }
  }
}

// Puts the mark of an Alt letter into a caption: the first free letter that starts a word,
// else any free letter; the caption stays as it is when every letter is taken.
void GiveLetter(QLabel* label, QString& taken) {
  const QString text = label->text();
  for (const bool wordStartsOnly : {true, false}) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar letter = text[i].toUpper();
      if (letter < 'A' || letter > 'Z' || taken.contains(letter))
        continue;
      if (wordStartsOnly && i > 0 && text[i - 1].isLetterOrNumber())
        continue;
      taken += letter;
      label->setText(text.left(i) + '&' + text.mid(i));
      return;
    }
  }
}

}  // namespace

QLabel* CaptionLabelOf(const QWidget* form, const QWidget* control) {
  if (const int id = ControlRegistry::IdOf(control); id != 0) {
    if (auto* label = form->findChild<QLabel*>("l" + QString::number(id)))
      return label;
  }
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->buddy() == control)
      return label;
  }
  return nullptr;
}

QString SpokenText(QString text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&')
      text.remove(i, 1);  // "&&" keeps one
  }
  return text;
}

std::vector<QWidget*> FieldsOf(const QWidget* form) {
  std::vector<QWidget*> fields;
  for (QWidget* widget : form->findChildren<QWidget*>()) {
    if (ControlRegistry::IdOf(widget) != 0 && qobject_cast<QLabel*>(widget) == nullptr &&
        qobject_cast<QGroupBox*>(widget) == nullptr && qobject_cast<CUpDown*>(widget) == nullptr)
      fields.push_back(widget);
  }
  return fields;
}

QString MenuBarLetters() {
  QString letters;
  for (const char* title : kMenuTitles)
    letters += QKeySequence::mnemonic(title).toString().right(1).toUpper();
  return letters;
}

void NameFields(QWidget* form, const QString& reservedLetters) {
  const std::vector<QWidget*> fields = FieldsOf(form);
  std::vector<QString> names;
  for (QWidget* field : fields)
    names.push_back(CaptionTextOf(form, field));
  SetUniqueNames(fields, names);
  auto* mirror = new TooltipMirror(form);
  QString taken = reservedLetters;
  for (size_t i = 0; i < fields.size(); ++i) {
    QWidget* field = fields[i];
    field->setAccessibleName(names[i]);
    field->setAccessibleDescription(field->toolTip());
    field->installEventFilter(mirror);
    QLabel* label = CaptionLabelOf(form, field);
    if (label == nullptr)
      continue;
    label->setBuddy(field);
    GiveLetter(label, taken);
  }
  // The arrows beside a number field go by the field's name.
  for (auto* spin : form->findChildren<CUpDown*>()) {
    if (const QWidget* field = form->findChild<QWidget*>(spin->buddyName())) {
      spin->setAccessibleName(field->accessibleName() + " arrows");
      spin->setAccessibleDescription(spin->toolTip());
      spin->installEventFilter(mirror);
    }
  }
}

void NameWindows(const std::vector<QWidget*>& windows) {
  for (QWidget* window : windows) {
    if (window != nullptr && window->accessibleName().isEmpty())
      window->setAccessibleName(SpokenText(window->windowTitle()));
  }
}

}  // namespace vistrel
