// On Windows a COM port is opened for one program only and no lock files are kept, so the
// port-use helpers the front ends call have nothing to find.
#include "transport/PortLock.h"
#include "transport/SerialDevice.h"

namespace vistrel {

void RemoveHeldPortLocks() {}

std::string PortHoldersText(const std::string&) {
  return {};
}

}  // namespace vistrel
