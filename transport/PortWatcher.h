#pragma once

#include "transport/CCommunication.h"

namespace vistrel {

// Notices that the COM port was lost (its device went away: an adapter unplugged, a
// pseudo-terminal closed; a network port's connection closed) and reopens it when the device
// is back (the network port's server accepts a connection again). Polled by the desktop
// program's timer; a poll checks two flags, and while the device is away one look at its
// path. Camera Link modes are left alone.
class PortWatcher {
 public:
  enum class Event { None, Lost, Reopened };

  explicit PortWatcher(CCommunication& channel) : channel_(channel) {}

  // Lost: the port was found lost and is now closed, so that the driver lets the device go.
  // Reopened: the device of the current choice is back under the path it was lost on and
  // open again (quietly; a failed try is repeated at the next poll). A choice that now leads
  // elsewhere (the operator chose another port) is not reopened.
  Event Poll();

 private:
  CCommunication& channel_;
  bool waiting_ = false;  // the port was lost and is to be reopened
  std::string lostPath_;  // the path it was lost on: only that path is reopened
};

}  // namespace vistrel
