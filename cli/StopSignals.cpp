#include "cli/StopSignals.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <iterator>
#include <mutex>
#include <thread>

#include "core/Command.h"
#include "core/TimeLimits.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace vistrel {
namespace {

volatile std::sig_atomic_t g_received = 0;
std::atomic<bool> g_outputClosed{false};

int PendingStop() {
  if (g_received != 0)
    return g_received;
  return g_outputClosed.load() ? StopSignals::kOutputClosed : 0;
}

#ifndef _WIN32
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[std::size(kSignals)];
// Written by the handler, so that a wait wakes at once.
int g_wake[2] = {-1, -1};

extern "C" void NoteSignal(int signal) {
  const int saved = errno;
  if (g_received == 0)
    g_received = signal;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_wake[1], &byte, 1);
  errno = saved;
}

void Install() {
  if (::pipe(g_wake) == 0) {
    for (int fd : g_wake)
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking call ends with EINTR and the caller looks at the signal.
  action.sa_flags = 0;
  for (size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &action, &g_previous[i]);
}

void Uninstall() {
  for (size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &g_previous[i], nullptr);
  for (int& fd : g_wake) {
    if (fd >= 0)
      ::close(fd);
    fd = -1;
  }
}

bool WaitForWake(int ms) {
  pollfd wake{g_wake[0], POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (PendingStop() == 0) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      return true;
    if (g_wake[0] < 0) {
      std::this_thread::sleep_for(
          std::min(left, std::chrono::milliseconds(limits::kInterruptCheckMs)));
      continue;
    }
    ::poll(&wake, 1, static_cast<int>(left.count()));
  }
  return false;
}
#else
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGBREAK};
void (*g_previous[std::size(kSignals)])(int);

extern "C" void NoteSignal(int signal) {
  if (g_received == 0)
    g_received = signal;
}

void Install() {
  for (size_t i = 0; i < std::size(kSignals); ++i)
    g_previous[i] = std::signal(kSignals[i], NoteSignal);
}

void Uninstall() {
  for (size_t i = 0; i < std::size(kSignals); ++i)
    std::signal(kSignals[i], g_previous[i]);
}

// Windows runs the handler on a thread of its own; a short sleep is fine-grained enough.
bool WaitForWake(int ms) {
  constexpr auto kSlice = std::chrono::milliseconds(limits::kInterruptCheckMs);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (PendingStop() == 0) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
      return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kSlice));
  }
  return false;
}
#endif

// A run over several cameras holds one per camera at once: the first installs the
// handlers, the last puts the previous ones back, and one signal reaches them all.
std::mutex g_holdersLock;
int g_holders = 0;

}  // namespace

StopSignals::StopSignals(Command& engine) : engine_(engine) {
  {
    const std::lock_guard<std::mutex> hold(g_holdersLock);
    if (g_holders++ == 0) {
      g_received = 0;
      Install();
    }
  }
  engine_.SetInterruption([this] { return Received() != 0 && !stopping_.load(); });
}

StopSignals::~StopSignals() {
  engine_.SetInterruption({});
  const std::lock_guard<std::mutex> hold(g_holdersLock);
  if (--g_holders == 0)
    Uninstall();
}

int StopSignals::Pending() {
  return PendingStop();
}

void StopSignals::NoteOutputClosed() {
  if (g_outputClosed.exchange(true))
    return;
#ifndef _WIN32
  const std::lock_guard<std::mutex> hold(g_holdersLock);
  if (g_wake[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_wake[1], &byte, 1);
  }
#endif
}

bool StopSignals::OutputClosed() {
  return g_outputClosed.load();
}

void StopSignals::ClearOutputClosed() {
  g_outputClosed = false;
}

bool StopSignals::Wait(int ms) const {
  return WaitForWake(ms);
}

const char* StopSignals::Name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case kOutputClosed:
      return "a closed output (SIGPIPE)";
#ifndef _WIN32
    case SIGHUP:
      return "SIGHUP";
#else
    case SIGBREAK:
      return "SIGBREAK";
#endif
  }
  return "a signal";
}

}  // namespace vistrel
