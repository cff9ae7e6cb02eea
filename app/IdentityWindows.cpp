#include "app/IdentityWindows.h"

#include <QtWidgets/QLineEdit>

#include "app/ControlRegistry.h"
#include "app/MainMenu.h"
#include "core/ControlIds.h"
#include "params/Identity.h"
#include "ui/AboutDialog.h"
#include "ui/ButtonDlg.h"
#include "ui/CameraIdDialog.h"
#include "ui/OnlineStatusCallback.h"
#include "ui/UserIdDialog.h"

namespace vistrel {

IdentityWindows::IdentityWindows(AppServices& services, ControlRegistry& registry,
                                 std::function<int()> controlMode, QWidget* parent)
    : QObject(parent),
      services_(services),
      registry_(registry),
      controlMode_(std::move(controlMode)),
      parent_(parent) {
  WatchXmlVersionGroup();
}

bool IdentityWindows::Run(int menuId) {
  CameraSession& session = services_.session;
  switch (menuId) {
    case menu::kAbout: {
      CAboutDialog dialog(session, services_.notifier, services_.locks, controlMode_(), parent_);
      dialog.exec();
      return true;
    }
    case menu::kEditUserId: {
      CUserIdDialog dialog(session, services_.notifier, services_.locks, parent_);
      dialog.exec();
      return true;
    }
    case menu::kEditCameraId: {
      CCameraIdDialog dialog(session, services_.notifier, services_.locks, controlMode_(), parent_);
      dialog.exec();
      return true;
    }
    case menu::kMotorLens:
      MotorLens().show();
      MotorLens().raise();
      return true;
    default:
      return false;
  }
}

CButtonDlg& IdentityWindows::MotorLens() {
  if (motorLens_ == nullptr)
    motorLens_ = new CButtonDlg(services_.engine, parent_);
  return *motorLens_;
}

void IdentityWindows::ReleaseLens() {
  if (motorLens_ != nullptr)
    motorLens_->Release();
}

void IdentityWindows::WatchXmlVersionGroup() {
  auto refresh = [this] { Identity::RefreshXmlWrite(registry_, services_.notifier.IsOnline()); };
  for (int id : ctl::XmlDigitFields) {
    if (auto* field = qobject_cast<QLineEdit*>(registry_.FindControl(id)))
      connect(field, &QLineEdit::textChanged, this, refresh);
  }
  new OnlineStatusCallback(
      services_.notifier, [refresh](bool) { refresh(); }, this);
  refresh();
}

}  // namespace vistrel
