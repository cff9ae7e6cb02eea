#pragma once

#include "camera/CameraSession.h"
#include "core/Command.h"
#include "core/Interfaces.h"
#include "core/ParameterTable.h"
#include "transport/StoredSettings.h"
#include "ui/ChannelSetup.h"
#include "ui/OnlineStatusNotifier.h"
#include "ui/WindowLockList.h"

namespace vistrel {

// The program-wide objects the main dialog works with, created by the application object
// (or a test) before the dialog and living longer than it.
struct AppServices {
  StoredSettings& settings;
  IMessagePresenter& messages;
  OnlineStatusNotifier& notifier;
  WindowLockList& locks;
  TrafficFanOut& traffic;
  Command& engine;
  ParameterTable& table;
  CameraSession& session;
  IChannelSetup& channel;
};

}  // namespace vistrel
