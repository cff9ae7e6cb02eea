#pragma once

#include <QtGui/QPixmap>
#include <vector>

#include "core/Interfaces.h"

class QLabel;

namespace vistrel {

// A window that shows the link state: it holds the picture control that shows the online or
// offline bitmap and may react to a change.
class COnlineStatusUpdater {
 public:
  virtual ~COnlineStatusUpdater() = default;
  // 1 online, 0 offline. The default does nothing.
  virtual void OnlineStatusChanged(int online) { (void)online; }

  void SetStatusPicture(QLabel* picture) { picture_ = picture; }
  QLabel* StatusPicture() const { return picture_; }

 private:
  QLabel* picture_ = nullptr;
};

// Shows the link bitmap (302 offline, 303 online) in every registered window and tells each
// of them about every change. One instance per program, created at start-up.
class OnlineStatusNotifier final : public IOnlineStatus {
 public:
  OnlineStatusNotifier();

  void Register(COnlineStatusUpdater* updater);
  void Unregister(COnlineStatusUpdater* updater);
  void SetOnline() override;
  void SetOffline() override;
  bool IsOnline() const { return online_; }

  static QPixmap Bitmap(bool online);

 private:
  void Switch(bool online);

  bool online_ = false;
  QPixmap current_;
  std::vector<COnlineStatusUpdater*> updaters_;
};

}  // namespace vistrel
