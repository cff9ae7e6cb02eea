#include "sim/SimPeer.h"

namespace vistrel {

SimPeer::SimPeer(SimConfig config, Clock clock)
    : clock_(std::move(clock)), camera_(std::move(config), Now()) {}

std::string SimPeer::Exchange(std::string_view bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  return camera_.Receive(bytes, Now());
}

}  // namespace vistrel
