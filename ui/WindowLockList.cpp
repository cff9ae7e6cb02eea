#include "ui/WindowLockList.h"

namespace vistrel {

void WindowLockList::Add(QWidget* window) {
  windows_.emplace_back(window);
}

void WindowLockList::DisableAll() {
  for (const QPointer<QWidget>& window : windows_) {
    if (window)
      window->setEnabled(false);
  }
}

void WindowLockList::EnableAll() {
  for (const QPointer<QWidget>& window : windows_) {
    if (window)
      window->setEnabled(true);
  }
}

}  // namespace vistrel
