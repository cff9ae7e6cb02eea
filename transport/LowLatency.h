#pragma once

namespace vistrel {

// Asks the serial driver of the open terminal `fd` to pass received bytes on at once
// (ASYNC_LOW_LATENCY) instead of holding them for a while, as USB adapters do. False when
// the driver refuses or has no such setting (a pseudo-terminal); nothing is changed then.
bool EnableLowLatency(int fd);

// The call CRs232c makes on every open; tests put a recorder in its place.
using LowLatencyCall = bool (*)(int fd);

}  // namespace vistrel
