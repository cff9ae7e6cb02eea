#include "transport/ReceiverStop.h"

#include <unistd.h>

#include <cstdint>

namespace vistrel {

void StopReceiver(std::thread& receiver, int& wakeFd, ReceiveRing& ring) {
  if (receiver.joinable()) {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
    ring.Stop();
    receiver.join();
  }
  if (wakeFd >= 0) {
    ::close(wakeFd);
    wakeFd = -1;
  }
}

}  // namespace vistrel
