#pragma once

#include <QtWidgets/QDialog>

#include "ui/OnlineStatusNotifier.h"

namespace vistrel {

class CameraSession;
class WindowLockList;

// What the identity windows share: the camera session they work on, the link state shown in
// their status strip, and their place in the window lock list.
class CIdentityDialogBase : public QDialog, public COnlineStatusUpdater {
  Q_OBJECT

 public:
  ~CIdentityDialogBase() override;

 protected:
  CIdentityDialogBase(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
                      QWidget* parent);
  // Registers the status strip with the notifier and the window with the lock list.
  void Register(QLabel* strip);

  CameraSession& session_;

 private:
  OnlineStatusNotifier& notifier_;
  WindowLockList& locks_;
  bool registered_ = false;
};

}  // namespace vistrel
