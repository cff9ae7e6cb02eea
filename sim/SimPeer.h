#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "sim/SimCamera.h"

namespace vistrel {

// A simulated camera that several threads may share: the pseudo-terminal server, the
// substitute Camera Link library, a test that looks at the camera's state. Time comes from
// the given clock (the steady clock by default).
class SimPeer {
 public:
  using Clock = std::function<SimTime()>;

  explicit SimPeer(SimConfig config = {}, Clock clock = {});

  // Bytes in, reply bytes out (see SimCamera::Receive).
  std::string Exchange(std::string_view bytes);
  SimTime Now() const { return clock_ ? clock_() : SimClock::now(); }

  // Runs `action` with the camera while no other thread uses it.
  template <typename Action>
  auto With(Action&& action) -> std::invoke_result_t<Action, SimCamera&> {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::forward<Action>(action)(camera_);
  }

 private:
  Clock clock_;
  std::mutex mutex_;
  SimCamera camera_;
};

}  // namespace vistrel
