#include "app/MainKeys.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include "app/ControlRegistry.h"
#include "app/TabSheetDialog.h"
#include "app/UpDown.h"

namespace vistrel {

static_assert(AccessCode::kF12 == Qt::Key_F12);

MainKeys::MainKeys(QWidget& window, ControlRegistry& registry,
                   std::span<CTabSheetDialog* const> pages, std::function<void()> toggleControlMode)
    : window_(window),
      registry_(registry),
      pages_(pages),
      toggleControlMode_(std::move(toggleControlMode)) {
  qApp->installEventFilter(this);
}

MainKeys::~MainKeys() {
  qApp->removeEventFilter(this);
}

bool MainKeys::InPage(const QWidget* widget) const {
  for (const CTabSheetDialog* page : pages_) {
    if (widget != nullptr && (widget == page || page->isAncestorOf(widget)))
      return true;
  }
  return false;
}

bool MainKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != &window_)
    return false;
  // A key event travels up through the parents; look at it once, where it starts.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr ? widget != focus : widget != &window_)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int code = key->key();
  if (code == Qt::Key_Shift || code == Qt::Key_Control || code == Qt::Key_Alt ||
      code == Qt::Key_Meta)
    return false;
  const Qt::KeyboardModifiers modifiers = key->modifiers();
  const AccessCode::Result result = code_.Press(code, modifiers.testFlag(Qt::ShiftModifier),
                                                modifiers.testFlag(Qt::ControlModifier));
  if (result == AccessCode::Result::Completed)
    toggleControlMode_();
  // The keys of the code are meant for the program, not for the focused field.
  if (result == AccessCode::Result::Armed || result == AccessCode::Result::Advanced ||
      result == AccessCode::Result::Completed)
    return true;
  if ((code == Qt::Key_Up || code == Qt::Key_Down) && modifiers == Qt::NoModifier)
    return StepNumberField(focus, code == Qt::Key_Up ? 1 : -1);
  return false;
}

bool MainKeys::StepNumberField(QWidget* focus, int step) {
  auto* edit = qobject_cast<QLineEdit*>(focus);
  if (edit == nullptr || edit->isReadOnly())
    return false;
  auto* spin = qobject_cast<CUpDown*>(
      registry_.FindControl(registry_.SpinOfEdit(ControlRegistry::IdOf(edit))));
  if (spin == nullptr || !spin->isEnabled())
    return false;
  spin->PressArrow(step);
  return true;
}

}  // namespace vistrel
