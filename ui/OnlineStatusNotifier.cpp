#include "ui/OnlineStatusNotifier.h"

#include <QtWidgets/QLabel>
#include <algorithm>

#include "res/Resources.h"

namespace vistrel {

OnlineStatusNotifier::OnlineStatusNotifier() {
  InitResources();
  current_ = Bitmap(false);
}

QPixmap OnlineStatusNotifier::Bitmap(bool online) {
  return QPixmap(online ? ":/vistrel/303" : ":/vistrel/302");
}

void OnlineStatusNotifier::Register(COnlineStatusUpdater* updater) {
  if (QLabel* picture = updater->StatusPicture())
    picture->setPixmap(current_);
  updaters_.push_back(updater);
}

void OnlineStatusNotifier::Unregister(COnlineStatusUpdater* updater) {
  std::erase(updaters_, updater);
}

void OnlineStatusNotifier::SetOnline() {
  Switch(true);
}
void OnlineStatusNotifier::SetOffline() {
  Switch(false);
}

void OnlineStatusNotifier::Switch(bool online) {
  online_ = online;
  current_ = Bitmap(online);
  // A copy: an updater may unregister itself while it is told.
  const std::vector<COnlineStatusUpdater*> updaters = updaters_;
  for (COnlineStatusUpdater* updater : updaters) {
    if (QLabel* picture = updater->StatusPicture())
      picture->setPixmap(current_);
  }
  for (COnlineStatusUpdater* updater : updaters)
    updater->OnlineStatusChanged(online ? 1 : 0);
}

}  // namespace vistrel
