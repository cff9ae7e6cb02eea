#pragma once

#include <array>

#include "ui/IdentityDialogBase.h"

class QLineEdit;
class QPushButton;

namespace vistrel {

// "Camera Id": the camera's id one character a field; factory control mode writes a new one.
class CCameraIdDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  static constexpr std::array<int, 10> kFields{1033, 1036, 1037, 1038, 1040,
                                               1043, 1046, 1048, 1051, 1054};
  static constexpr int kSave = 1140;
  static constexpr int kStatus = 1157;

  // `controlMode` 1 is factory control mode, which alone offers "Save".
  CCameraIdDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                  int controlMode, QWidget* parent = nullptr);

  void OnSave();

 private:
  std::array<QLineEdit*, 10> fields_{};
};

}  // namespace vistrel
