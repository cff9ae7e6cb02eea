#pragma once

#include <sys/types.h>

#include <string>

namespace vistrel {

// The lock file serial programs take on a port before they use it: "LCK..<name>" in the lock
// folder, <name> being the device's own name (ttyUSB0 for /dev/ttyUSB0 or any link to it),
// holding the owner's process id in ASCII, padded to ten characters, and a line feed. The
// COM port takes it besides its exclusive open, so that a program that only honours lock
// files keeps off the port too.
//
// The lock folder is $VISTREL_LOCK_DIR when that is set (tests), else /run/lock, else
// /var/lock. Where the folder is missing or not writable, the port is used with its
// exclusive open alone; a lock another process holds there is honoured all the same.
struct PortLockResult {
  enum class State {
    Taken,     // this process holds the lock until ReleasePortLock
    Unlocked,  // no lock folder could be written: the port goes without a lock file
    Busy,      // a live process holds the lock
  };
  State state = State::Unlocked;
  int slot = -1;        // with Taken: what ReleasePortLock takes
  pid_t owner = 0;      // with Busy: the process holding it
  std::string program;  // with Busy: its name, when /proc tells
  std::string path;     // the lock file
};

// Takes the lock of `device`. A lock file whose process no longer exists (or that holds no
// process id) is stale and taken over.
PortLockResult TakePortLock(const std::string& device);

// Removes the lock taken as `slot` (when the file still holds this process's id) and sets
// `slot` to -1. Nothing happens for -1.
void ReleasePortLock(int& slot);

// Removes every lock file this process holds. Async-signal-safe (only open, read, close and
// unlink on fixed buffers): a signal handler may call it before the process ends. With the
// first lock taken it is registered to run at exit and, for SIGINT, SIGTERM and SIGHUP that
// still have their default action, from a handler that then ends the process by the same
// signal. A part of the program that installs its own handler for these signals calls this
// function in it before it ends the process; one that ends the process normally needs
// nothing, as closing the port removes its lock.
void RemoveHeldPortLocks();

// The lock folder in use; empty when none is there.
std::string PortLockFolder();

// "LCK..ttyUSB0" for /dev/ttyUSB0 or any link to it.
std::string PortLockName(const std::string& device);

}  // namespace vistrel
