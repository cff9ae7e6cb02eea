#include "transport/PortWatcher.h"

#include <unistd.h>

namespace vistrel {

PortWatcher::Event PortWatcher::Poll() {
  if (channel_.GetMode() != static_cast<uint32_t>(CommunicationMode::Rs232c)) {
    waiting_ = false;
    return Event::None;
  }
  CRs232c& port = channel_.ComPort();
  if (port.IsOpen()) {
    if (!port.Lost()) {
      waiting_ = false;
      return Event::None;
    }
    port.Close();
    waiting_ = true;
    lostPath_ = channel_.OpenedComPortPath();
    return Event::Lost;
  }
  if (!waiting_)
    return Event::None;
  const std::string path = channel_.ComPortPath();
  if (path != lostPath_ || ::access(path.c_str(), F_OK) != 0)
    return Event::None;
  if (!channel_.ReopenComPortQuietly())
    return Event::None;
  waiting_ = false;
  return Event::Reopened;
}

}  // namespace vistrel
