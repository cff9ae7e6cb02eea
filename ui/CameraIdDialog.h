#pragma once

#include <array>

#include "core/ControlIds.h"
#include "ui/IdentityDialogBase.h"

class QLineEdit;
class QPushButton;

namespace vistrel {

// "Camera Id": the camera's id one character a field; factory control mode writes a new one.
// A character typed into a field moves on to the next one, and a whole id pasted into a
// field fills it and the fields after it.
class CCameraIdDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  // `controlMode` 1 is factory control mode, which alone offers "Save".
  CCameraIdDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                  int controlMode, QWidget* parent = nullptr);

  void OnSave();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts `text` into the fields from `first` on, one character each; focus goes to the field
  // after the last one filled.
  void Fill(size_t first, const QString& text);

  std::array<QLineEdit*, 10> fields_{};
};

}  // namespace vistrel
