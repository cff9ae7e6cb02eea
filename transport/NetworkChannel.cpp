#include "transport/NetworkChannel.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include "transport/ReceiverStop.h"

namespace vistrel {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return int(std::max<int64_t>(left.count(), 0));
}

// Waits for a non-blocking connect; 0 when it succeeded, else the errno of the failure.
int FinishConnect(int fd, Clock::time_point deadline) {
  pollfd out = {fd, POLLOUT, 0};
  int ready = 0;
  do {
    ready = ::poll(&out, 1, MsLeft(deadline));
  } while (ready < 0 && errno == EINTR);
  if (ready == 0)
    return ETIMEDOUT;
  if (ready < 0)
    return errno;
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
    return errno;
  return error;
}

void SetSocketOptions(int fd) {
  const int on = 1;
  // A command line goes out at once, not after the previous reply's acknowledgement.
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
}

constexpr const char* kServerAdvice =
    "Check that the terminal server (ser2net) runs on that host, serves this port and is not "
    "busy with another client, and that no firewall is in the way.";

}  // namespace

NetworkChannel::NetworkChannel(IMessagePresenter& messages) : messages_(messages) {}

NetworkChannel::~NetworkChannel() {
  Close();
}

bool NetworkChannel::Fail(const std::string& url, const std::string& what,
                          const std::string& advice) {
  Close();
  if (reportFailures_)
    messages_.ShowMessage("Failed to open the network port " + url + ": " + what + ".\n" + advice,
                          "", MessageIcon::Exclamation);
  return false;
}

int NetworkChannel::Connect(const NetworkUrl& url, std::string& problem) const {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = ::getaddrinfo(url.host.c_str(), url.port.c_str(), &hints, &found);
      error != 0) {
    problem = "the name " + url.host + " does not resolve (" + ::gai_strerror(error) + ")";
    return -1;
  }
  std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, ::freeaddrinfo);
  const auto deadline = Clock::now() + std::chrono::milliseconds(connectLimitMs_);
  int error = ETIMEDOUT;
  for (const addrinfo* a = found; a != nullptr && Clock::now() < deadline; a = a->ai_next) {
    const int fd =
        ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
      error = errno;
      continue;
    }
    error = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
    if (error == EINPROGRESS)
      error = FinishConnect(fd, deadline);
    if (error == 0) {
      SetSocketOptions(fd);
      return fd;
    }
    ::close(fd);
  }
  problem = std::strerror(error);
  return -1;
}

bool NetworkChannel::Open(const std::string& url, uint32_t baudRate, int stopBits) {
  Close();
  std::string problem;
  const std::optional<NetworkUrl> address = ParseNetworkUrl(url, problem);
  if (!address)
    return Fail(url, "the address cannot be read", problem);
  fd_ = Connect(*address, problem);
  if (fd_ < 0)
    return Fail(url, problem, kServerAdvice);
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0)
    return Fail(url, std::strerror(errno), kServerAdvice);
  {
    std::lock_guard lock(sessionMutex_);
    session_ = TelnetSession();
    telnet_ = address->kind == NetworkKind::ComPortControl;
  }
  controlsPort_ = false;
  writeFailed_ = false;
  ring_.Reset();
  running_ = true;
  receiveThread_ = std::thread([this] { ReceiveLoop(); });
  if (telnet_ && !Negotiate(url, baudRate, stopBits))
    return false;
  return true;
}

template <typename Done>
bool NetworkChannel::WaitFor(int limitMs, Done&& done) {
  std::unique_lock lock(sessionMutex_);
  return sessionChanged_.wait_for(lock, std::chrono::milliseconds(limitMs), [&] {
    return done() || ring_.Ended();
  }) && done();
}

bool NetworkChannel::Negotiate(const std::string& url, uint32_t baudRate, int stopBits) {
  std::string greeting;
  {
    std::lock_guard lock(sessionMutex_);
    greeting = session_.Greeting();
  }
  if (!SendWire(greeting))
    return Fail(url, "the connection failed at once", kServerAdvice);
  const int negotiationMs = std::min(connectLimitMs_, kNegotiationLimitMs);
  // A raw server never answers; a telnet server without the option refuses it.
  WaitFor(negotiationMs,
          [&] { return session_.ComPortState() != TelnetSession::ComPort::Pending; });
  if (ring_.Ended())
    return Fail(url, "the server closed the connection", kServerAdvice);
  bool accepted = false;
  {
    std::lock_guard lock(sessionMutex_);
    accepted = session_.ComPortState() == TelnetSession::ComPort::Accepted;
  }
  if (!accepted) {
    const std::string what = "the server does not offer the telnet COM port control option";
    const std::string advice =
        "Serve the port with telnet(rfc2217) in ser2net, or open it as socket://";
    if (!rawAllowed_)
      return Fail(url, what,
                  advice +
                      " (or allow that with --raw-ok: the baud rate is then "
                      "the server's).");
    if (reportFailures_)
      messages_.ShowMessage("The network port " + url + ": " + what +
                                "; the bytes pass as they are and the baud rate is the server's.",
                            "", MessageIcon::Exclamation);
    std::lock_guard lock(sessionMutex_);
    telnet_ = session_.HeardTelnet();
    return true;
  }
  using T = TelnetSession;
  const uint8_t stopCode = stopBits == 0   ? T::kStopOne
                           : stopBits == 1 ? T::kStopOneAndHalf
                                           : T::kStopTwo;
  const std::string setup = T::ComPortRequest(T::kSetBaudRate, T::BaudRateValue(baudRate)) +
                            T::ComPortRequest(T::kSetDataSize, {char(8)}) +
                            T::ComPortRequest(T::kSetParity, {char(T::kParityNone)}) +
                            T::ComPortRequest(T::kSetStopSize, {char(stopCode)});
  if (!SendWire(setup))
    return Fail(url, "the connection failed while the port was set up", kServerAdvice);
  const bool answered = WaitFor(connectLimitMs_, [&] {
    for (uint8_t request = T::kSetBaudRate; request <= T::kSetStopSize; ++request) {
      if (!session_.Reported(request))
        return false;
    }
    return true;
  });
  if (!answered)
    return Fail(url, "the server did not confirm the port settings", kServerAdvice);
  uint32_t applied = 0;
  {
    std::lock_guard lock(sessionMutex_);
    applied = session_.Reported(T::kSetBaudRate).value_or(0);
  }
  if (applied != baudRate) {
    return Fail(url,
                "the server set its serial port to " + std::to_string(applied) +
                    " baud instead of " + std::to_string(baudRate),
                "Check that the server's serial port supports that rate.");
  }
  controlsPort_ = true;
  PurgeInput();
  return true;
}

void NetworkChannel::Close() {
  running_ = false;
  StopReceiver(receiveThread_, wakeFd_, ring_);
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  controlsPort_ = false;
}

bool NetworkChannel::SendWire(const std::string& wire, int limitMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
  size_t done = 0;
  while (done < wire.size()) {
    const ssize_t n = ::send(fd_, wire.data() + done, wire.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += size_t(n);
      continue;
    }
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0 && errno != EAGAIN)
      return false;
    if (MsLeft(deadline) <= 0)
      return false;
    pollfd out = {fd_, POLLOUT, 0};
    if (::poll(&out, 1, MsLeft(deadline)) < 0 && errno != EINTR)
      return false;
    if (out.revents & (POLLERR | POLLHUP | POLLNVAL))
      return false;
  }
  return true;
}

bool NetworkChannel::Write(const char* bytes, int length) {
  // A server that stopped taking what is sent is not waited on again.
  if (!IsOpen() || length < 1 || writeFailed_)
    return false;
  std::lock_guard lock(writeMutex_);
  std::string wire;
  {
    std::lock_guard session(sessionMutex_);
    wire =
        telnet_ ? session_.EncodeData(bytes, size_t(length)) : std::string(bytes, size_t(length));
  }
  if (SendWire(wire))
    return true;
  writeFailed_ = true;
  return false;
}

int NetworkChannel::Read(char* buffer, int count, int limitMs) {
  if (count < 1)
    return 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(limitMs, 0));
  if (!IsOpen()) {
    std::this_thread::sleep_until(deadline);
    return 0;
  }
  return ring_.TakeUntil(buffer, count, deadline);
}

void NetworkChannel::PurgeInput() {
  if (!IsOpen())
    return;
  if (controlsPort_) {
    std::lock_guard lock(writeMutex_);
    using T = TelnetSession;
    if (!SendWire(T::ComPortRequest(T::kPurgeData, {char(T::kPurgeReceived)})))
      writeFailed_ = true;
  }
  // What is there now, once: a server that never stops sending must not hold the caller here.
  char chunk[ReceiveRing::kSize];
  ring_.Take(chunk, int(sizeof chunk));
}

void NetworkChannel::ReceiveLoop() {
  ReceiveUntilClosed();
  ring_.MarkEnded();
  std::lock_guard lock(sessionMutex_);
  sessionChanged_.notify_all();
}

void NetworkChannel::ReceiveUntilClosed() {
  char chunk[ReceiveRing::kSize];
  std::string data;
  std::string answers;
  while (running_) {
    // Decoded data is never longer than what was read, so it always fits the ring's room.
    if (!ring_.WaitForSpace())
      return;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR)
        continue;
      return;
    }
    if (fds[1].revents != 0)
      return;
    if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) == 0)
      continue;
    const ssize_t n = ::recv(fd_, chunk, size_t(ring_.Space()), 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
      continue;
    if (n <= 0)
      return;  // the server closed the connection, or it broke
    // The reply is acknowledged at once: a delayed acknowledgement would hold up the server's
    // next small segment (the rest of a reply) for tens of milliseconds.
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
    data.clear();
    answers.clear();
    {
      std::lock_guard lock(sessionMutex_);
      if (telnet_)
        session_.Feed(chunk, size_t(n), data, answers);
      else
        data.assign(chunk, size_t(n));
      sessionChanged_.notify_all();
    }
    if (!answers.empty() && !writeFailed_) {
      std::lock_guard lock(writeMutex_);
      if (!SendWire(answers, kAnswerLimitMs))
        writeFailed_ = true;
    }
    if (!data.empty())
      ring_.Put(data.data(), int(data.size()));
  }
}

}  // namespace vistrel
