#pragma once

#include <string>

#include "transport/CCommunication.h"
#include "transport/PortWatcher.h"
#include "ui/ChannelSetup.h"

namespace vistrel {

// The communication dialog's view of the program's channel object. With a device given
// (the simulated camera), opening the stored channel opens that device instead and the
// stored choice is left alone.
class CommunicationSetup final : public IChannelSetup {
 public:
  explicit CommunicationSetup(CCommunication& channel, std::string device = {})
      : channel_(channel), device_(std::move(device)), watcher_(channel) {}

  bool Reopen() override;
  void Close() override { channel_.Close(); }
  int GetMode() const override { return static_cast<int>(channel_.GetMode()); }
  void SetMode(int mode) override { channel_.SetMode(static_cast<uint32_t>(mode)); }
  bool OpenMode(int mode) override { return channel_.OpenMode(static_cast<uint32_t>(mode)); }
  int GetPortCount() override { return channel_.GetPortCount(); }
  std::string GetPortName(int index) override { return channel_.GetPortName(index); }
  std::string GetPortDevice(int index) override;
  std::vector<bool> PortsPresent() override { return channel_.PortsPresent(); }
  int GetPortIndex() const override { return static_cast<int>(channel_.GetPortListIndex()); }
  bool OpenPort(int index) override { return channel_.OpenPort(static_cast<uint32_t>(index)); }
  bool OffersNetworkPort() const override { return channel_.GetMode() == 0; }
  std::string NetworkPort() const override;
  std::string NetworkPortProblem(const std::string& address) const override;
  bool OpenNetworkPort(const std::string& address) override;
  int BaudRateIndex() const override { return channel_.BaudRateIndex(); }
  bool OpenBaudRateIndex(int index) override {
    return channel_.OpenBaudRate(CCommunication::BaudRateFromIndex(index));
  }
  PortEvent WatchPort() override;
  bool IsOpen() const override { return channel_.IsOpen(); }
  std::string ChannelInUse() override;
  std::string TryPort(int index) override;
  void RememberChannel() override;
  bool RestoreChannel() override;

 private:
  CCommunication& channel_;
  std::string device_;
  PortWatcher watcher_;
  bool rememberedSimulated_ = false;
  // Whether the simulated camera's device is the one open.
  bool Simulated() const { return !device_.empty() && channel_.ComPortPath() == device_; }
};

}  // namespace vistrel
