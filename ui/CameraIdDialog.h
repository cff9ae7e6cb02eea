#pragma once

#include <array>

#include "core/ControlIds.h"
#include "ui/IdentityDialogBase.h"

class QLineEdit;
class QPushButton;

namespace vistrel {

// "Camera Id": the camera's id one character a field; factory control mode writes a new one.
class CCameraIdDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  // `controlMode` 1 is factory control mode, which alone offers "Save".
  CCameraIdDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                  int controlMode, QWidget* parent = nullptr);

  void OnSave();

 private:
  std::array<QLineEdit*, 10> fields_{};
};

}  // namespace vistrel
