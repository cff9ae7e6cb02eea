#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>
#include <vector>

namespace vistrel {

// The program's top-level windows, disabled together while a long transfer runs.
class WindowLockList {
 public:
  void Add(QWidget* window);
  void DisableAll();
  void EnableAll();

 private:
  std::vector<QPointer<QWidget>> windows_;
};

}  // namespace vistrel
