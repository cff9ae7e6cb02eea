#pragma once

#include <QtCore/QObject>
#include <functional>
#include <span>

#include "app/AccessCode.h"

class QWidget;

namespace vistrel {

class CTabSheetDialog;
class ControlRegistry;

// The keyboard of the main window, seen before the focused field sees it: the access code
// switches the control mode, and Up and Down step a number field as its arrows do.
class MainKeys final : public QObject {
 public:
  // `window` is the main window, `pages` its tab pages; `toggleControlMode` runs when the
  // access code is complete.
  MainKeys(QWidget& window, ControlRegistry& registry, std::span<CTabSheetDialog* const> pages,
           std::function<void()> toggleControlMode);
  ~MainKeys() override;

  // Whether `widget` is a page or lies in one.
  bool InPage(const QWidget* widget) const;
  const AccessCode& Code() const { return code_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Up and Down in a number field step it as its up-down arrows do; false when `focus` is no
  // number field with an up-down control.
  bool StepNumberField(QWidget* focus, int step);

  QWidget& window_;
  ControlRegistry& registry_;
  std::span<CTabSheetDialog* const> pages_;
  std::function<void()> toggleControlMode_;
  AccessCode code_;
};

}  // namespace vistrel
