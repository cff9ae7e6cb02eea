#include "app/CommunicationSetup.h"

namespace vistrel {

bool CommunicationSetup::Reopen() {
  if (device_.empty())
    return channel_.Reopen();
  return channel_.OpenDevice(device_, channel_.GetBaudRate());
}

std::string CommunicationSetup::GetPortDevice(int index) {
  if (!device_.empty() && index == GetPortIndex() && channel_.GetMode() == 0)
    return device_ + " (simulated camera)";
  return channel_.GetPortDevice(index);
}

}  // namespace vistrel
