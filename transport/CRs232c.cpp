#include "transport/CRs232c.h"

#include "transport/OpenFailure.h"
#include "transport/PortLock.h"
#include "transport/ReceiverStop.h"
#include "transport/SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>

namespace vistrel {

namespace {

struct BaudEntry {
  uint32_t rate;
  speed_t speed;
};

constexpr std::array<BaudEntry, 27> kBaudSpeeds = {{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {4000000, B4000000},
}};

bool SpeedFor(uint32_t rate, speed_t& speed) {
  for (const BaudEntry& entry : kBaudSpeeds) {
    if (entry.rate == rate) {
      speed = entry.speed;
      return true;
    }
  }
  return false;
}

bool DataBitsFlag(int dataBits, tcflag_t& flag) {
  switch (dataBits) {
    case 5:
      flag = CS5;
      return true;
    case 6:
      flag = CS6;
      return true;
    case 7:
      flag = CS7;
      return true;
    case 8:
      flag = CS8;
      return true;
    default:
      return false;
  }
}

constexpr cc_t kXon = 0x11;
constexpr cc_t kXoff = 0x13;

}  // namespace

CRs232c::CRs232c(IMessagePresenter& messages) : messages_(messages) {}

CRs232c::~CRs232c() {
  Close();
}

bool CRs232c::Fail(OpenStep step, const std::string& name, const std::string& advice) {
  ReleasePortLock(lockSlot_);
  if (fd_ >= 0) {
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }
  return ReportOpenFailure(step, name, advice);
}

bool CRs232c::Open(const std::string& device, const std::string& name, uint32_t baudRate,
                   int dataBits, int stopBits, bool flowControl, bool parityCheck) {
  if (IsOpen())
    Close();
  refusal_.reset();

  // Nothing is opened that is not a serial device: opening some devices starts them.
  const DeviceCheck check = CheckSerialDevice(device);
  if (check.error != 0)
    return Fail(OpenStep::CreateFile, name, OpenFailureAdvice(check.error, device));
  if (!check.problem.empty())
    return Fail(OpenStep::CreateFile, name, check.problem);
  // A program that holds the port open without a lock (a terminal program, ser2net) would
  // read the camera's replies in our place.
  if (!sharedPort_) {
    if (const std::vector<PortHolder> holders = ProcessesHolding(device); !holders.empty()) {
      refusal_ = PortRefusal{holders.front(), false};
      return Fail(OpenStep::CreateFile, name, PortInUseText(device, holders));
    }
  }
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0)
    return Fail(OpenStep::CreateFile, name, OpenFailureAdvice(errno, device));
  if (const std::string problem = CheckOpenedSerialDevice(fd_, device, check.rdev);
      !problem.empty()) {
    return Fail(OpenStep::CreateFile, name, problem);
  }
  // Nobody else may use the port while it is open: TIOCEXCL keeps other opens off the
  // terminal, the lock also keeps off programs running with privileges, and the lock file
  // keeps off the programs that look for one.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
    return Fail(OpenStep::CreateFile, name, OpenFailureAdvice(EBUSY, device));
  if (const std::string held = TakeLockFile(device); !held.empty())
    return Fail(OpenStep::CreateFile, name, held);
  ::ioctl(fd_, TIOCEXCL);

  termios settings{};
  if (::tcgetattr(fd_, &settings) != 0)
    return Fail(OpenStep::GetCommState, name);
  speed_t speed = B0;
  tcflag_t sizeFlag = CS8;
  if (!SpeedFor(baudRate, speed) || !DataBitsFlag(dataBits, sizeFlag)) {
    return Fail(OpenStep::SetCommState, name);
  }
  ::cfmakeraw(&settings);
  settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  settings.c_cflag |= CLOCAL | CREAD | sizeFlag;
  if (stopBits != 0)
    settings.c_cflag |= CSTOPB;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  if (flowControl)
    settings.c_iflag |= IXON | IXOFF;
  if (parityCheck)
    settings.c_iflag |= INPCK;
  settings.c_cc[VSTART] = kXon;
  settings.c_cc[VSTOP] = kXoff;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0 ||
      ::tcsetattr(fd_, TCSANOW, &settings) != 0) {
    return Fail(OpenStep::SetCommState, name);
  }
  // tcsetattr succeeds when any part of the change was made: check the rate took.
  termios applied{};
  if (::tcgetattr(fd_, &applied) != 0 || ::cfgetospeed(&applied) != speed) {
    return Fail(OpenStep::SetCommState, name);
  }

  // Refused by drivers without the setting (pseudo-terminals); nothing to report then.
  lowLatency_(fd_);

  const int dtr = TIOCM_DTR;
  ::ioctl(fd_, TIOCMBIS, &dtr);  // pseudo-terminals have no modem lines

  // What waits on the port from before this open answers nobody's question.
  ::tcflush(fd_, TCIFLUSH);

  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0)
    return Fail(OpenStep::CreateFile, name);
  return StartReceiving();
}

void CRs232c::Close() {
  running_ = false;
  StopReceiver(receiveThread_, wakeFd_, ring_);
  if (fd_ >= 0) {
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }
  ReleasePortLock(lockSlot_);
}

std::string CRs232c::TakeLockFile(const std::string& device) {
  const PortLockResult lock = TakePortLock(device);
  if (lock.state == PortLockResult::State::Taken)
    lockSlot_ = lock.slot;
  if (lock.state != PortLockResult::State::Busy)
    return {};
  refusal_ = PortRefusal{{lock.owner, lock.program}, true};
  const std::string who = lock.program.empty() ? "a process" : lock.program;
  return device + " is in use by " + who + " (pid " + std::to_string(lock.owner) +
         "), which holds its lock file " + lock.path + ".\nClose that program and try again.";
}

void CRs232c::ReceiveUntilHangUp() {
  char chunk[ReceiveRing::kSize];
  while (running_) {
    // With a full ring the bytes stay with the driver until the reader makes room.
    if (!ring_.WaitForSpace())
      return;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR)
        continue;
      return;
    }
    if (fds[1].revents != 0)
      return;
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(fd_, chunk, size_t(ring_.Space()));
      if (n > 0) {
        ring_.Put(chunk, int(n));
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR))
        continue;
      return;  // the line was hung up (a pseudo-terminal whose other side closed)
    }
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
      return;
  }
}

bool CRs232c::WriteAll(const char* bytes, int length) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteLimitMs);
  int done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd_, bytes + done, size_t(length - done));
    if (n > 0) {
      done += int(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && errno != EAGAIN)
      return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      return false;
    pollfd out = {fd_, POLLOUT, 0};
    if (::poll(&out, 1, int(left.count())) < 0 && errno != EINTR)
      return false;
    if (out.revents & (POLLERR | POLLHUP | POLLNVAL))
      return false;
  }
  return true;
}

}  // namespace vistrel
