#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <utility>

#include "sim/SimText.h"

namespace vistrel {

namespace {

// While nobody has the slave open the master reports a hang-up; look again this often.
constexpr auto kIdleRetry = std::chrono::milliseconds(10);
// Bytes without a line end that are handed to the camera as they are (it refuses them).
constexpr size_t kMaxPending = 1024;
constexpr const char kGarbage[] = "\x7f\xfe#\x15\x03?%\x80";

std::string ErrnoText(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 &&
         ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

// Raw 8-bit transfer without echo; on Linux the master's settings are the slave's.
void MakeRaw(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0)
    return;
  tio.c_iflag &=
      ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  tio.c_cflag |= CS8;
  ::tcsetattr(fd, TCSANOW, &tio);
}

struct LineRate {
  speed_t speed;
  int baud;
};

constexpr LineRate kLineRates[] = {{B9600, 9600},     {B19200, 19200},   {B38400, 38400},
                                   {B57600, 57600},   {B115200, 115200}, {B230400, 230400},
                                   {B460800, 460800}, {B921600, 921600}};

// The command a line is for: the upper-cased text before '=' or '?'.
std::string CommandOf(std::string_view line) {
  const size_t end = line.find_first_of("=?\r\n");
  return SimUpper(SimTrim(line.substr(0, end)));
}

// Reply bytes with the time each may be written.
class OutputQueue {
 public:
  explicit OutputQueue(int baud)
      : byteTime_(baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud)
                           : std::chrono::nanoseconds(0)) {}

  void Add(std::string_view bytes, SimTime ready) {
    for (char c : bytes) {
      // A byte is complete on the wire one byte time after the previous one.
      const SimTime start = bytes_.empty() ? ready : std::max(ready, last_);
      last_ = start + byteTime_;
      bytes_.emplace_back(last_, c);
    }
  }
  bool Empty() const { return bytes_.empty(); }
  SimTime NextDue() const { return bytes_.front().first; }
  std::string TakeDue(SimTime now) {
    std::string due;
    for (const auto& [time, byte] : bytes_) {
      if (time > now)
        break;
      due.push_back(byte);
    }
    return due;
  }
  void Drop(size_t count) {
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<long>(count));
  }

 private:
  std::chrono::nanoseconds byteTime_;
  SimTime last_{};
  std::deque<std::pair<SimTime, char>> bytes_;
};

}  // namespace

PtyServer::PtyServer(std::shared_ptr<SimPeer> camera, PtyServerOptions options)
    : camera_(std::move(camera)), options_(std::move(options)), faults_(options_.faults) {}

PtyServer::~PtyServer() {
  Stop();
}

void PtyServer::SetFaults(const SimFaults& faults) {
  std::lock_guard<std::mutex> lock(faultsMutex_);
  faults_ = faults;
  faultsChanged_ = true;
}

int PtyServer::LineSpeed() const {
  termios tio{};
  if (master_ < 0 || ::tcgetattr(master_, &tio) != 0)
    return 0;
  for (const LineRate& rate : kLineRates) {
    if (rate.speed == ::cfgetospeed(&tio))
      return rate.baud;
  }
  return 0;
}

bool PtyServer::Start(std::string* error) {
  if (master_ >= 0 || thread_.joinable()) {
    if (error)
      *error = "already started";
    return false;
  }
  auto fail = [&](const std::string& text) {
    if (error)
      *error = text;
    Stop();
    return false;
  };
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0)
    return fail(ErrnoText("posix_openpt"));
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
    return fail(ErrnoText("cannot unlock the pseudo-terminal"));
  const char* name = ::ptsname(master_);
  if (name == nullptr)
    return fail(ErrnoText("ptsname"));
  slavePath_ = name;
  if (!SetNonBlocking(master_))
    return fail(ErrnoText("fcntl"));
  MakeRaw(master_);
  int wake[2];
  if (::pipe(wake) != 0)
    return fail(ErrnoText("pipe"));
  wakeRead_ = wake[0];
  wakeWrite_ = wake[1];
  if (!SetNonBlocking(wakeRead_) || !SetNonBlocking(wakeWrite_))
    return fail(ErrnoText("fcntl"));
  if (!options_.linkPath.empty()) {
    struct stat info {};
    if (::lstat(options_.linkPath.c_str(), &info) == 0) {
      if (!S_ISLNK(info.st_mode))
        return fail(options_.linkPath + " exists and is not a symbolic link");
      ::unlink(options_.linkPath.c_str());
    }
    if (::symlink(slavePath_.c_str(), options_.linkPath.c_str()) != 0)
      return fail(ErrnoText(("cannot link " + options_.linkPath).c_str()));
    linkMade_ = true;
  }
  stopping_ = false;
  hungUp_ = false;
  thread_ = std::thread(&PtyServer::Serve, this);
  return true;
}

void PtyServer::Stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &wake, 1);
    thread_.join();
  }
  for (int* fd : {&master_, &wakeRead_, &wakeWrite_}) {
    if (*fd >= 0)
      ::close(*fd);
    *fd = -1;
  }
  if (linkMade_) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(options_.linkPath.c_str(), target, sizeof(target) - 1);
    if (n >= 0 && std::string(target, static_cast<size_t>(n)) == slavePath_)
      ::unlink(options_.linkPath.c_str());
    linkMade_ = false;
  }
}

namespace {

// NAME=10000 becomes NAME=1O000, NAME=0 becomes NAME=0O: what one noisy byte makes of it.
void PutLetterInValue(std::string& reply) {
  const size_t equals = reply.find('=');
  const size_t end = reply.find('\r');
  if (equals == std::string::npos || end == std::string::npos || end <= equals + 1)
    return;
  if (end > equals + 2)
    reply[equals + 2] = 'O';
  else
    reply.insert(end, "O");
}

// NAME=10000 becomes NAME=`value`.
void ReplaceValue(std::string& reply, const std::string& value) {
  const size_t equals = reply.find('=');
  const size_t end = reply.find('\r');
  if (equals != std::string::npos && end != std::string::npos && end > equals)
    reply.replace(equals + 1, end - equals - 1, value);
}

}  // namespace

void PtyServer::Serve() {
  OutputQueue output(options_.baud);
  std::string inbound;
  int lines = 0;
  bool idle = false;  // nobody has the slave open

  // Passes one complete line to the camera and queues its reply, as the fault settings say.
  auto handleLine = [&](const std::string& line, SimTime now) {
    SimFaults faults;
    {
      std::lock_guard<std::mutex> lock(faultsMutex_);
      faults = faults_;
      if (faultsChanged_)
        lines = 0;  // lines before a change of faults do not count
      faultsChanged_ = false;
    }
    const bool hit = faults.fault != SimFault::None && lines >= faults.afterLines &&
                     (faults.onlyCommand.empty() || CommandOf(line) == faults.onlyCommand);
    ++lines;
    if (!hit) {
      output.Add(camera_->Exchange(line), now);
      return true;
    }
    switch (faults.fault) {
      case SimFault::NoReply:
        return true;
      case SimFault::HangUp:
        return false;
      default:
        break;
    }
    std::string reply = camera_->Exchange(line);
    if (reply.empty())
      return true;
    SimTime ready = now;
    if (faults.fault == SimFault::LateReply)
      ready += std::chrono::milliseconds(faults.lateMs);
    else if (faults.fault == SimFault::Garbage)
      reply = std::string(kGarbage) + "\r\n";
    else if (faults.fault == SimFault::OtherReply)
      reply = camera_->Exchange(CommandOf(line) == "ERRER" ? "VN?\r\n" : "ERRER?\r\n");
    else if (faults.fault == SimFault::NoLineEnd && reply.size() >= 2)
      reply.resize(reply.size() - 2);
    else if (faults.fault == SimFault::LetterInValue)
      PutLetterInValue(reply);
    else if (faults.fault == SimFault::ReplyValue)
      ReplaceValue(reply, faults.replyValue);
    output.Add(reply, ready);
    return true;
  };

  while (!stopping_) {
    SimTime now = SimClock::now();
    bool wantWrite = false;
    if (!output.Empty() && output.NextDue() <= now) {
      const std::string due = output.TakeDue(now);
      const ssize_t n = idle ? -1 : ::write(master_, due.data(), due.size());
      if (idle)
        errno = EIO;
      if (n > 0)
        output.Drop(static_cast<size_t>(n));
      else if (n < 0 && errno == EIO)
        output.Drop(due.size());  // nobody listens: the bytes are lost on the line
      wantWrite = n >= 0 && static_cast<size_t>(n) < due.size();
      now = SimClock::now();
    }
    int timeoutMs = -1;
    if (idle)
      timeoutMs = static_cast<int>(kIdleRetry.count());
    if (!output.Empty() && !wantWrite) {
      const auto wait = output.NextDue() - now;
      if (wait > std::chrono::nanoseconds(0) && wait < std::chrono::milliseconds(1)) {
        // Finer than poll can wait: sleep to the byte's time, then write it.
        std::this_thread::sleep_until(output.NextDue());
        continue;
      }
      // poll may wake early (then the rest is slept above) but not late.
      const int waitMs = static_cast<int>(
          std::chrono::floor<std::chrono::milliseconds>(std::max(wait, SimClock::duration(0)))
              .count());
      timeoutMs = timeoutMs < 0 ? waitMs : std::min(timeoutMs, waitMs);
    }
    pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {master_, POLLIN, 0}};
    if (wantWrite)
      fds[1].events |= POLLOUT;
    const int ready = ::poll(fds, idle ? 1 : 2, timeoutMs);
    if (ready < 0 && errno != EINTR)
      break;
    if (fds[0].revents & POLLIN) {
      char drain[16];
      while (::read(wakeRead_, drain, sizeof(drain)) > 0) {
      }
      continue;
    }
    if (idle) {
      idle = false;  // look again whether somebody opened the slave
      continue;
    }
    if (fds[1].revents & POLLIN) {
      char buffer[512];
      const ssize_t n = ::read(master_, buffer, sizeof(buffer));
      if (n > 0) {
        inbound.append(buffer, static_cast<size_t>(n));
        now = SimClock::now();
        for (size_t end; (end = inbound.find('\n')) != std::string::npos;) {
          const std::string line = inbound.substr(0, end + 1);
          inbound.erase(0, end + 1);
          if (!handleLine(line, now)) {
            hungUp_ = true;
            ::close(master_);
            master_ = -1;
            return;
          }
        }
        if (inbound.size() > kMaxPending) {
          output.Add(camera_->Exchange(inbound), now);
          inbound.clear();
        }
        continue;
      }
      if (n < 0 && errno != EIO && errno != EAGAIN && errno != EINTR)
        break;
      if (n < 0 && errno == EIO)
        idle = true;
      continue;
    }
    if (fds[1].revents & (POLLHUP | POLLERR))
      idle = true;
  }
}

}  // namespace vistrel
