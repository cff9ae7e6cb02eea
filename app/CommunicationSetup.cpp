#include "app/CommunicationSetup.h"

namespace vistrel {

bool CommunicationSetup::Reopen() {
  if (device_.empty())
    return channel_.Reopen();
  return channel_.OpenDevice(device_, channel_.GetBaudRate());
}

std::string CommunicationSetup::GetPortDevice(int index) {
  if (!device_.empty() && index == GetPortIndex() && channel_.ComPortPath() == device_)
    return device_ + " (simulated camera)";
  return channel_.GetPortDevice(index);
}

IChannelSetup::PortEvent CommunicationSetup::WatchPort() {
  switch (watcher_.Poll()) {
    case PortWatcher::Event::None:
      return PortEvent::None;
    case PortWatcher::Event::Lost:
      return PortEvent::Lost;
    case PortWatcher::Event::Reopened:
      return PortEvent::Reopened;
  }
  return PortEvent::None;
}

}  // namespace vistrel
