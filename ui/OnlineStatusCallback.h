#pragma once

#include <QtCore/QObject>
#include <functional>

#include "ui/OnlineStatusNotifier.h"

namespace vistrel {

// Runs a function on every change of the link state, for as long as it lives.
class OnlineStatusCallback final : public QObject, public COnlineStatusUpdater {
 public:
  OnlineStatusCallback(OnlineStatusNotifier& notifier, std::function<void(bool online)> changed,
                       QObject* parent = nullptr)
      : QObject(parent), notifier_(notifier), changed_(std::move(changed)) {
    notifier_.Register(this);
  }
  ~OnlineStatusCallback() override { notifier_.Unregister(this); }

  void OnlineStatusChanged(int online) override { changed_(online != 0); }

 private:
  OnlineStatusNotifier& notifier_;
  std::function<void(bool online)> changed_;
};

}  // namespace vistrel
