#pragma once

#include <thread>

#include "transport/ReceiveRing.h"

namespace vistrel {

// The receive thread of a POSIX channel waits in poll() on its descriptor and on `wakeFd`, an
// eventfd. Stopping wakes it through the eventfd, ends the ring's waits, joins the thread and
// closes the eventfd (left at -1). The channel's own descriptor stays for the caller to close.
void StopReceiver(std::thread& receiver, int& wakeFd, ReceiveRing& ring);

}  // namespace vistrel
