#include "transport/CCommunication.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <system_error>
#include <thread>

#include "core/TextEscape.h"
#include "transport/ComPortNames.h"
#include "transport/NetworkUrl.h"
#include "transport/SerialDevice.h"
#include "transport/SerialPortList.h"

namespace vistrel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t Mode(CommunicationMode mode) {
  return static_cast<uint32_t>(mode);
}

// The line without its line end: every trailing CR and LF goes.
std::string WithoutLineEnd(const std::string& text) {
  size_t length = text.size();
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
    --length;
  return text.substr(0, length);
}

}  // namespace

CCommunication::CCommunication(StoredSettings& settings, IMessagePresenter& messages,
                               ITrafficSink& traffic)
    : settings_(settings),
      traffic_(traffic),
      rs232c_(messages),
      network_(messages),
      cl2000_(messages),
      cl2001_(messages),
      clVer11_(messages) {
  mode_ = settings_.GetStoredNumber(kStoredCommunicationMode, 0).value;
  baudRate_ = settings_.GetStoredNumber(kStoredBaudrate, 9600).value;
  for (uint32_t mode = 0; mode < kModeCount; ++mode) {
    portIndex_[mode] = settings_.GetStoredNumber(kStoredComPortNo + int(mode), 0).value;
  }
  const auto device = settings_.GetStoredText(kStoredComPortDevice);
  if (device.stored)
    comDevice_ = storedDevice_ = device.value;
  const auto network = settings_.GetStoredText(kStoredComPortNetwork);
  if (network.stored && IsNetworkUrl(network.value))
    comDevice_ = storedNetwork_ = network.value;
}

CCommunication::~CCommunication() {
  if (!writeBack_)
    return;
  settings_.SetStoredNumbers({
      {kStoredCommunicationMode, mode_},
      {kStoredBaudrate, baudRate_},
      {kStoredComPortNo, portIndex_[0]},
      {kStoredCl2000Index, portIndex_[1]},
      {kStoredCl2001Index, portIndex_[2]},
      {kStoredClVer11Index, portIndex_[3]},
  });
  // The device stays stored while a network port is the choice.
  const bool network = IsNetworkUrl(comDevice_);
  const std::string chosenNetwork = network ? comDevice_ : std::string();
  if (chosenNetwork != storedNetwork_)
    settings_.SetStoredText(kStoredComPortNetwork, chosenNetwork);
  if (!network && comDevice_ != storedDevice_)
    settings_.SetStoredText(kStoredComPortDevice, comDevice_);
}

int CCommunication::BaudRateIndex() const {
  auto it = std::find(kBaudRates.begin(), kBaudRates.end(), baudRate_);
  return it == kBaudRates.end() ? 0 : int(it - kBaudRates.begin());
}

uint32_t CCommunication::BaudRateFromIndex(int position) {
  if (position < 0 || position >= int(kBaudRates.size()))
    return kBaudRates[0];
  return kBaudRates[size_t(position)];
}

uint32_t CCommunication::GetPortIndex(uint32_t mode) const {
  return mode < kModeCount ? portIndex_[mode] : 0;
}

uint32_t CCommunication::GetPortIndex() const {
  return GetPortIndex(mode_);
}

uint32_t CCommunication::GetPortListIndex() const {
  if (mode_ != Mode(CommunicationMode::Rs232c))
    return GetPortIndex(mode_);
  if (comDevice_.empty()) {
    // A COM name past the list (COM33 and on, through a link) is not the device listed at
    // that position.
    return portIndex_[0] < uint32_t(kComPortCount) ? portIndex_[0] : kNotListed;
  }
  for (size_t i = 0; i < devices_.size(); ++i) {
    if (devices_[i].path == comDevice_)
      return uint32_t(kComPortCount + i);
  }
  const int network = NetworkListIndex();
  return network >= 0 ? uint32_t(network) : kNotListed;
}

int CCommunication::NetworkListIndex() const {
  if (mode_ != Mode(CommunicationMode::Rs232c) || !IsNetworkUrl(comDevice_))
    return -1;
  return kComPortCount + int(devices_.size());
}

const SerialPortInfo* CCommunication::ListedDevice(int index) const {
  if (mode_ != Mode(CommunicationMode::Rs232c) || index < kComPortCount)
    return nullptr;
  const size_t position = size_t(index - kComPortCount);
  return position < devices_.size() ? &devices_[position] : nullptr;
}

CClSerialChannel* CCommunication::ClChannel(uint32_t mode) const {
  return mode < kModeCount ? clChannels_[mode] : nullptr;
}

int CCommunication::GetPortCount() {
  if (mode_ == Mode(CommunicationMode::Rs232c)) {
    const bool network = IsNetworkUrl(comDevice_);
    devices_ = ListedSerialDevices(settings_.Folder(), tree_, network ? std::string() : comDevice_);
    return kComPortCount + int(devices_.size()) + (network ? 1 : 0);
  }
  CClSerialChannel* channel = ClChannel(mode_);
  if (!channel)
    return 0;
  channel->RefreshNames();
  return int(channel->PortNameList().size());
}

std::string CCommunication::GetPortName(int index) const {
  if (mode_ == Mode(CommunicationMode::Rs232c)) {
    if (const SerialPortInfo* device = ListedDevice(index))
      return SerialPortLabel(*device);
    if (index >= 0 && index == NetworkListIndex())
      return comDevice_;
    return index >= 0 && index < kComPortCount ? ComPortName(index) : "ERROR";
  }
  const CClSerialChannel* channel = ClChannel(mode_);
  if (!channel)
    return "ERROR";
  return index >= 0 ? channel->PortName(uint32_t(index)) : std::string();
}

std::string CCommunication::GetPortDevice(int index) const {
  if (const SerialPortInfo* device = ListedDevice(index))
    return device->device.empty() ? std::string(kNotConnected) : device->device;
  if (mode_ != Mode(CommunicationMode::Rs232c) || index < 0 || index >= kComPortCount)
    return {};
  return ComPortDevice(settings_.Folder(), ComPortName(index));
}

std::vector<bool> CCommunication::PortsPresent() const {
  if (mode_ != Mode(CommunicationMode::Rs232c))
    return {};
  std::vector<bool> present = PresentComNames(settings_.Folder(), tree_);
  for (const SerialPortInfo& device : devices_)
    present.push_back(!device.device.empty());
  return present;
}

bool CCommunication::Open(uint32_t mode, uint32_t baudRate, uint32_t index) {
  Close();
  mode_ = mode;
  baudRate_ = baudRate;
  if (mode >= kModeCount)
    return false;
  portIndex_[mode] = index;
  if (mode == Mode(CommunicationMode::Rs232c)) {
    comDevice_.clear();
    runDevice_.clear();
    const std::string name = ComPortName(int(index));
    return OpenComPort(ComPortDevice(settings_.Folder(), name), name);
  }
  CClSerialChannel& channel = *ClChannel(mode);
  if (!channel.Open(index))
    return false;
  // A refused rate leaves the port open; the open still counts as failed.
  return channel.SetBaudRate(baudRate);
}

bool CCommunication::OpenComPort(const std::string& device, const std::string& name) {
  openedPath_ = ComPortPath();
  rs232c_.Close();
  network_.Close();
  networkActive_ = IsNetworkUrl(device);
  if (networkActive_)
    return network_.Open(device, baudRate_, 0);
  return rs232c_.Open(device, name, baudRate_, 8, 0, false, false);
}

void CCommunication::SetReportFailures(bool report) {
  rs232c_.SetReportFailures(report);
  network_.SetReportFailures(report);
}

bool CCommunication::OpenDevice(const std::string& device, uint32_t baudRate) {
  Close();
  mode_ = Mode(CommunicationMode::Rs232c);
  baudRate_ = baudRate;
  runDevice_ = device;
  return OpenComPort(device, device);
}

bool CCommunication::OpenComDevice(const std::string& device, uint32_t baudRate) {
  Close();
  mode_ = Mode(CommunicationMode::Rs232c);
  baudRate_ = baudRate;
  runDevice_.clear();
  comDevice_ = device;
  return OpenComPort(device, device);
}

std::string CCommunication::OtherProgramsOnPort() const {
  if (mode_ != Mode(CommunicationMode::Rs232c) || openedPath_.empty() || networkActive_)
    return {};
  return PortHoldersText(openedPath_);
}

std::optional<PortRefusal> CCommunication::PortRefusalOfOpen() const {
  if (mode_ != Mode(CommunicationMode::Rs232c) || networkActive_)
    return std::nullopt;
  return rs232c_.Refusal();
}

std::string CCommunication::LibraryProblemOfOpen() const {
  const CClSerialChannel* channel = ClChannel(mode_);
  return channel ? channel->LibraryProblem() : std::string();
}

std::string CCommunication::ComPortPath() const {
  if (mode_ != Mode(CommunicationMode::Rs232c))
    return {};
  if (!runDevice_.empty())
    return runDevice_;
  if (!comDevice_.empty())
    return comDevice_;
  // A COM name's link is named itself, so that a link made anew to another device (a new
  // pseudo-terminal) is the same choice.
  const std::string name = ComPortName(int(portIndex_[0]));
  const std::filesystem::path link = std::filesystem::path(settings_.Folder()) / "ports" / name;
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error)))
    return link.string();
  return ComPortDevice(settings_.Folder(), name);
}

bool CCommunication::ReopenComPortQuietly() {
  const std::string device = ComPortPath();
  if (device.empty())
    return false;
  const std::string name =
      runDevice_.empty() && comDevice_.empty() ? ComPortName(int(portIndex_[0])) : device;
  SetReportFailures(false);
  // A server that is still away must not hold up the caller (the desktop program's timer).
  network_.SetConnectLimit(kQuietConnectLimitMs);
  const bool opened = OpenComPort(device, name);
  network_.SetConnectLimit(NetworkChannel::kConnectLimitMs);
  SetReportFailures(true);
  return opened;
}

bool CCommunication::OpenChoice(uint32_t mode, uint32_t baudRate) {
  if (mode == Mode(CommunicationMode::Rs232c)) {
    if (!runDevice_.empty())
      return OpenDevice(std::string(runDevice_), baudRate);
    if (!comDevice_.empty())
      return OpenComDevice(std::string(comDevice_), baudRate);
  }
  return Open(mode, baudRate, GetPortIndex(mode));
}

bool CCommunication::Reopen() {
  if (mode_ >= kModeCount)
    return false;
  return OpenChoice(mode_, baudRate_);
}

bool CCommunication::OpenMode(uint32_t mode) {
  if (mode >= kModeCount)
    return false;
  return OpenChoice(mode, baudRate_);
}

bool CCommunication::OpenBaudRate(uint32_t rate) {
  return OpenChoice(mode_, rate);
}

bool CCommunication::OpenPort(uint32_t index) {
  if (index <= uint32_t(INT_MAX)) {
    if (const SerialPortInfo* device = ListedDevice(int(index)))
      return OpenComDevice(device->path, baudRate_);
    if (int(index) == NetworkListIndex())
      return OpenComDevice(std::string(comDevice_), baudRate_);
  }
  return Open(mode_, baudRate_, index);
}

void CCommunication::Close() {
  if (mode_ == Mode(CommunicationMode::Rs232c)) {
    rs232c_.Close();
    network_.Close();
  } else if (CClSerialChannel* channel = ClChannel(mode_)) {
    channel->Close();
  }
}

bool CCommunication::IsOpen() const {
  if (mode_ == Mode(CommunicationMode::Rs232c))
    return networkActive_ ? network_.IsOpen() : rs232c_.IsOpen();
  const CClSerialChannel* channel = ClChannel(mode_);
  return channel && channel->IsOpen();
}

bool CCommunication::Write(const std::string& text) {
  bool written = false;
  if (mode_ == Mode(CommunicationMode::Rs232c)) {
    written = networkActive_ ? network_.Write(text.data(), int(text.size()))
                             : rs232c_.Write(text.data(), int(text.size()));
  } else if (CClSerialChannel* channel = ClChannel(mode_)) {
    written = channel->Write(text.data(), uint32_t(text.size()), kClWriteLimitMs);
  } else {
    return false;
  }
  traffic_.AppendLine("Tx: " + EscapeControls(WithoutLineEnd(text)));
  return written;
}

bool CCommunication::Lost() const {
  if (mode_ != Mode(CommunicationMode::Rs232c))
    return false;
  return networkActive_ ? network_.Lost() : rs232c_.Lost();
}

int CCommunication::Read(char* buffer, int count, int limitMs) {
  if (count < 1)
    return 0;
  if (mode_ == Mode(CommunicationMode::Rs232c)) {
    return networkActive_ ? network_.Read(buffer, count, limitMs)
                          : rs232c_.Read(buffer, count, limitMs);
  }
  if (CClSerialChannel* channel = ClChannel(mode_)) {
    return ReadCameraLink(*channel, buffer, count, limitMs);
  }
  // No channel: nothing arrives; wait out the limit so that a polling caller does not spin.
  clock_->Pause(limitMs);
  return 0;
}

// One byte per library call, so that a read that times out can never swallow bytes; each
// call waits inside the library for at most the time that is left.
int CCommunication::ReadCameraLink(CClSerialChannel& channel, char* buffer, int count,
                                   int limitMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(limitMs, 0));
  int total = 0;
  while (total < count) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    const uint32_t waitMs = uint32_t(std::max<int64_t>(left.count(), 0));
    const int got = channel.Read(buffer + total, 1, waitMs);
    total += got;
    if (got > 0)
      continue;
    if (Clock::now() >= deadline)
      break;
    // The library gave up before the limit (closed port, error): do not spin on it.
    std::this_thread::sleep_until(
        std::min(deadline, Clock::now() + std::chrono::milliseconds(limits::kClRetryMs)));
  }
  return total;
}

}  // namespace vistrel
