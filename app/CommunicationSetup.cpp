#include "app/CommunicationSetup.h"

#include <cerrno>
#include <cstring>

#include "transport/NetworkUrl.h"

namespace vistrel {

namespace {

constexpr const char* kSimulatedCamera = "simulated camera";

}  // namespace

bool CommunicationSetup::Reopen() {
  if (device_.empty())
    return channel_.Reopen();
  return channel_.OpenDevice(device_, channel_.GetBaudRate());
}

std::string CommunicationSetup::GetPortDevice(int index) {
  if (Simulated() && index == GetPortIndex())
    return std::string(kSimulatedCamera) + " (" + device_ + ")";
  return channel_.GetPortDevice(index);
}

std::string CommunicationSetup::ChannelInUse() {
  if (Simulated())
    return kSimulatedCamera;
  const std::string name = GetPortName(GetPortIndex());
  const std::string path = channel_.ComPortPath();
  return path.empty() || path == name ? name : name + " → " + path;
}

IChannelSetup::PortEvent CommunicationSetup::WatchPort() {
  switch (watcher_.Poll()) {
    case PortWatcher::Event::None:
      return PortEvent::None;
    case PortWatcher::Event::Lost:
      return PortEvent::Lost;
    case PortWatcher::Event::Reopened:
      return PortEvent::Reopened;
  }
  return PortEvent::None;
}

std::string CommunicationSetup::NetworkPort() const {
  return IsNetworkUrl(channel_.GetComDevice()) ? channel_.GetComDevice() : std::string();
}

std::string CommunicationSetup::NetworkPortProblem(const std::string& address) const {
  std::string problem;
  ParseNetworkUrl(address, problem);
  return problem;
}

bool CommunicationSetup::OpenNetworkPort(const std::string& address) {
  return channel_.OpenComDevice(address, channel_.GetBaudRate());
}

std::string CommunicationSetup::TryPort(int index) {
  channel_.SetReportFailures(false);
  errno = 0;
  const bool opened = channel_.OpenPort(static_cast<uint32_t>(index));
  const int error = errno;
  channel_.SetReportFailures(true);
  if (opened)
    return {};
  return error != 0 ? std::strerror(error) : "could not be opened";
}

void CommunicationSetup::RememberChannel() {
  remembered_ = GetPortIndex();
  rememberedSimulated_ = Simulated();
}

bool CommunicationSetup::RestoreChannel() {
  const bool opened = TryPort(remembered_).empty();
  if (!rememberedSimulated_)
    return opened;
  return channel_.OpenDevice(device_, channel_.GetBaudRate());
}

}  // namespace vistrel
