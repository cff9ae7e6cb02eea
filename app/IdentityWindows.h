#pragma once

#include <QtCore/QObject>
#include <functional>

#include "app/AppServices.h"
#include "app/MenuPart.h"

class QWidget;

namespace vistrel {

class CButtonDlg;
class ControlRegistry;

// The identity windows of the menu (about, user id, camera id), the motor lens window and the
// XML version group of the factory page.
class IdentityWindows final : public QObject, public IMenuPart {
 public:
  // `controlMode` tells the windows whether the factory control mode is on (1) or not (0).
  IdentityWindows(AppServices& services, ControlRegistry& registry,
                  std::function<int()> controlMode, QWidget* parent);

  // Opens the window of a menu command; false for a command that is not one of these.
  bool Run(int menuId) override;
  // The motor lens window, made on first use.
  CButtonDlg& MotorLens();
  // Lets go of a held lens button (the lens stops); nothing when the window was never made.
  void ReleaseLens();

 private:
  // Keeps the XML version "Write" of the factory page offered only while it can be used.
  void WatchXmlVersionGroup();

  AppServices& services_;
  ControlRegistry& registry_;
  std::function<int()> controlMode_;
  QWidget* parent_;
  CButtonDlg* motorLens_ = nullptr;
};

}  // namespace vistrel
