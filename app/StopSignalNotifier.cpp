#include "app/StopSignalNotifier.h"

#include <QtCore/QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>
#endif

namespace vistrel {

#ifndef _WIN32
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_previous[std::size(kSignals)];
int g_pipe[2] = {-1, -1};

extern "C" void WriteSignalToPipe(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &number, 1);
  errno = saved;
}

}  // namespace

CStopSignalNotifier::CStopSignalNotifier(QObject* parent) : QObject(parent) {
  if (::pipe(g_pipe) != 0)
    return;
  for (int fd : g_pipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
  struct sigaction action = {};
  action.sa_handler = WriteSignalToPipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // the event loop's own calls go on; the pipe wakes it
  for (size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &action, &g_previous[i]);
}

CStopSignalNotifier::~CStopSignalNotifier() {
  if (notifier_ == nullptr)
    return;
  for (size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &g_previous[i], nullptr);
  delete notifier_;
  for (int& fd : g_pipe) {
    ::close(fd);
    fd = -1;
  }
}

void CStopSignalNotifier::Drain() {
  unsigned char number = 0;
  while (::read(g_pipe[0], &number, 1) == 1)
    emit received(number);
}

#else

CStopSignalNotifier::CStopSignalNotifier(QObject* parent) : QObject(parent) {}
CStopSignalNotifier::~CStopSignalNotifier() = default;
void CStopSignalNotifier::Drain() {}

#endif

}  // namespace vistrel
