#pragma once

#include "core/ControlIds.h"
#include "ui/IdentityDialogBase.h"

class QLineEdit;

namespace vistrel {

// "User Id": shows the camera's user id and writes a new one.
class CUserIdDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  CUserIdDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                QWidget* parent = nullptr);

  void OnSave();

 private:
  QLineEdit* field_;
};

}  // namespace vistrel
