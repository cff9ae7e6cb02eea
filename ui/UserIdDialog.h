#pragma once

#include "ui/IdentityDialogBase.h"

class QLineEdit;

namespace vistrel {

// "User Id": shows the camera's user id and writes a new one.
class CUserIdDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  static constexpr int kField = 1044;
  static constexpr int kSave = 1049;
  static constexpr int kStatus = 1160;

  CUserIdDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                QWidget* parent = nullptr);

  void OnSave();

 private:
  QLineEdit* field_;
};

}  // namespace vistrel
