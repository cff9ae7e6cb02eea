#include "transport/PortLock.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "transport/SerialDevice.h"

namespace vistrel {

namespace {

constexpr int kMaxHeldLocks = 8;
constexpr size_t kLockPathBytes = 512;
// A stale lock taken over may be taken by another program at the same moment: try again.
constexpr int kTakeAttempts = 3;
constexpr int kPidDigits = 10;

enum SlotState : int { kFree = 0, kChanging = 1, kHeld = 2 };

// The lock files this process holds, in fixed storage, so that a signal handler can walk
// them: a slot's path is read only while its state is kHeld.
struct HeldLock {
  std::atomic<int> state{kFree};
  char path[kLockPathBytes] = {};
};
HeldLock g_held[kMaxHeldLocks];
static_assert(std::atomic<int>::is_always_lock_free);

constexpr pid_t kNoFile = -1;
constexpr pid_t kNoPid = 0;

// The process id a lock file holds: kNoFile when it cannot be read, kNoPid when it holds no
// number. Async-signal-safe.
pid_t PidInFile(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0)
    return kNoFile;
  char text[32];
  const ssize_t n = ::read(fd, text, sizeof text);
  ::close(fd);
  if (n <= 0)
    return kNoPid;
  ssize_t i = 0;
  while (i < n && text[i] == ' ')
    ++i;
  long long pid = 0;
  const ssize_t first = i;
  for (; i < n && text[i] >= '0' && text[i] <= '9' && pid <= INT_MAX; ++i)
    pid = pid * 10 + (text[i] - '0');
  const bool ended = i == n || text[i] == '\n' || text[i] == ' ';
  return i > first && ended && pid > 0 && pid <= INT_MAX ? pid_t(pid) : kNoPid;
}

// Async-signal-safe.
void RemoveIfOurs(const char* path) {
  if (PidInFile(path) == ::getpid())
    ::unlink(path);
}

bool Alive(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool HeldHere(const std::string& path) {
  for (HeldLock& held : g_held) {
    if (held.state.load() == kHeld && path == held.path)
      return true;
  }
  return false;
}

int Register(const std::string& path) {
  for (int slot = 0; slot < kMaxHeldLocks; ++slot) {
    int expected = kFree;
    if (g_held[slot].state.compare_exchange_strong(expected, kChanging)) {
      std::snprintf(g_held[slot].path, kLockPathBytes, "%s", path.c_str());
      g_held[slot].state.store(kHeld);
      return slot;
    }
  }
  return -1;
}

void OnSignal(int number) {
  const int saved = errno;
  RemoveHeldPortLocks();
  errno = saved;
  // SA_RESETHAND has put back the default action; the signal, blocked while this handler
  // runs, ends the process as soon as it returns.
  ::raise(number);
}

void RemoveAtExit() {
  RemoveHeldPortLocks();
}

void InstallCleanup() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::atexit(RemoveAtExit);
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction current {};
      if (::sigaction(number, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
          current.sa_handler != SIG_DFL) {
        continue;  // somebody else handles it, and removes the locks in doing so
      }
      struct sigaction action {};
      action.sa_handler = OnSignal;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESETHAND;
      ::sigaction(number, &action, nullptr);
    }
  });
}

constexpr const char* kTemporaryPrefix = "LTMP.";

// The process id in a lock temporary's name "LTMP.<pid>"; kNoPid when the name is not one.
pid_t TemporaryWriter(const char* name) {
  const size_t prefix = std::strlen(kTemporaryPrefix);
  if (std::strncmp(name, kTemporaryPrefix, prefix) != 0 || name[prefix] < '1' || name[prefix] > '9')
    return kNoPid;
  long long pid = 0;
  for (const char* c = name + prefix; *c; ++c) {
    if (*c < '0' || *c > '9' || pid > INT_MAX)
      return kNoPid;
    pid = pid * 10 + (*c - '0');
  }
  return pid <= INT_MAX ? pid_t(pid) : kNoPid;
}

// Removes the lock temporaries that runs killed while taking a lock left behind: plain files
// named for a process that no longer exists, as a stale lock is removed.
void RemoveDeadTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir)
    return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t writer = TemporaryWriter(entry->d_name);
    if (writer == kNoPid || writer == ::getpid() || Alive(writer))
      continue;
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

// Makes the lock file with its content complete before it appears under its name, so that
// no other program reads it half written. 0, or the errno of the failing step (EEXIST: a
// lock file is there). The temporary is named for the process, so the threads of a run over
// several cameras take their locks one at a time.
int CreateLockFile(const std::string& folder, const std::string& path) {
  static std::mutex creating;
  const std::lock_guard<std::mutex> hold(creating);
  RemoveDeadTemporaries(folder);
  const std::string temp = folder + "/" + kTemporaryPrefix + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0)
    return errno;
  char text[kPidDigits + 2];
  const int length = std::snprintf(text, sizeof text, "%*d\n", kPidDigits, int(::getpid()));
  const bool written = ::write(fd, text, size_t(length)) == length;
  int result = ::close(fd) == 0 && written ? 0 : EIO;
  if (result == 0 && ::link(temp.c_str(), path.c_str()) != 0)
    result = errno;
  ::unlink(temp.c_str());
  return result;
}

}  // namespace

std::string PortLockFolder() {
  if (const char* folder = std::getenv("VISTREL_LOCK_DIR"); folder && *folder)
    return folder;
  for (const char* folder : {"/run/lock", "/var/lock"}) {
    struct stat st {};
    if (::stat(folder, &st) == 0 && S_ISDIR(st.st_mode))
      return folder;
  }
  return {};
}

std::string PortLockName(const std::string& device) {
  char resolved[PATH_MAX];
  const std::string path = ::realpath(device.c_str(), resolved) ? resolved : device;
  const size_t slash = path.find_last_of('/');
  return "LCK.." + (slash == std::string::npos ? path : path.substr(slash + 1));
}

PortLockResult TakePortLock(const std::string& device) {
  PortLockResult result;
  const std::string folder = PortLockFolder();
  if (folder.empty())
    return result;
  result.path = folder + "/" + PortLockName(device);
  if (result.path.size() >= kLockPathBytes)
    return result;
  for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
    const int created = CreateLockFile(folder, result.path);
    if (created == 0) {
      result.slot = Register(result.path);
      if (result.slot < 0) {
        ::unlink(result.path.c_str());
        return result;
      }
      InstallCleanup();
      result.state = PortLockResult::State::Taken;
      return result;
    }
    const pid_t owner = PidInFile(result.path.c_str());
    const bool ours = owner == ::getpid() && HeldHere(result.path);
    if (owner > 0 && (ours || (owner != ::getpid() && Alive(owner)))) {
      result.state = PortLockResult::State::Busy;
      result.owner = owner;
      result.program = ProgramName(owner);
      return result;
    }
    // The folder cannot be written: the lock files are not for this user.
    if (created != EEXIST)
      return result;
    ::unlink(result.path.c_str());  // stale: its process has ended
  }
  return result;
}

void ReleasePortLock(int& slot) {
  if (slot < 0 || slot >= kMaxHeldLocks)
    return;
  HeldLock& held = g_held[slot];
  int expected = kHeld;
  if (held.state.compare_exchange_strong(expected, kChanging)) {
    RemoveIfOurs(held.path);
    held.state.store(kFree);
  }
  slot = -1;
}

void RemoveHeldPortLocks() {
  for (HeldLock& held : g_held) {
    if (held.state.load() == kHeld)
      RemoveIfOurs(held.path);
  }
}

}  // namespace vistrel
