#include "transport/PortWatcher.h"

#include <unistd.h>

#include "transport/NetworkUrl.h"

namespace vistrel {

PortWatcher::Event PortWatcher::Poll() {
  if (channel_.GetMode() != static_cast<uint32_t>(CommunicationMode::Rs232c)) {
    waiting_ = false;
    return Event::None;
  }
  if (channel_.IsOpen()) {
    if (!channel_.Lost()) {
      waiting_ = false;
      return Event::None;
    }
    channel_.Close();
    waiting_ = true;
    lostPath_ = channel_.OpenedComPortPath();
    return Event::Lost;
  }
  if (!waiting_)
    return Event::None;
  const std::string path = channel_.ComPortPath();
  if (path != lostPath_)
    return Event::None;
  // A network port has no device to look for: its server is asked again (quickly).
  if (!IsNetworkUrl(path) && ::access(path.c_str(), F_OK) != 0)
    return Event::None;
  if (!channel_.ReopenComPortQuietly())
    return Event::None;
  waiting_ = false;
  return Event::Reopened;
}

}  // namespace vistrel
