#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/Clock.h"
#include "core/Interfaces.h"
#include "core/TimeLimits.h"
#include "transport/CClSerial2000.h"
#include "transport/CClSerial2001.h"
#include "transport/CClSerialVer11.h"
#include "transport/CRs232c.h"
#include "transport/NetworkChannel.h"
#include "transport/SerialDiscovery.h"
#include "transport/StoredSettings.h"

namespace vistrel {

enum class CommunicationMode : uint32_t {
  Rs232c = 0,
  CameraLink2000 = 1,
  CameraLink2001 = 2,
  CameraLinkVer11 = 3,
};

struct CommunicationModeInfo {
  CommunicationMode mode;
  const char* name;
  const char* category;  // the text of the communication dialog's Category list
};

inline constexpr std::array<CommunicationModeInfo, 4> kCommunicationModes = {{
    {CommunicationMode::Rs232c, "Rs232c", "Com Port"},
    {CommunicationMode::CameraLink2000, "CameraLink2000", "Camera Link spec. 2000"},
    {CommunicationMode::CameraLink2001, "CameraLink2001", "Camera Link spec. 2001"},
    {CommunicationMode::CameraLinkVer11, "CameraLinkVer11", "Camera Link spec. ver.1.1"},
}};

// The baud rates the communication dialog offers, by position.
inline constexpr std::array<uint32_t, 5> kBaudRates = {9600, 19200, 38400, 57600, 115200};

// The serial channel of the program: holds the operator's choice of mode, baud rate and one
// port index per mode, opens the channel of the chosen mode and moves bytes over it. One
// instance per program, created at start-up from the stored settings; its destruction
// writes the six values back, so the stored choice is the last one attempted.
//
// In COM port mode the port list holds the 32 COM names, then the serial devices found that
// no COM name reaches (USB and ACM adapters under their stable by-id names), then the stored
// device when it is not connected now, then the chosen network port. A device chosen from the
// list is kept by that stable name ("Com Port Device"), so the choice survives a restart and a
// re-plug elsewhere; a network port (rfc2217:// or socket://, see NetworkUrl.h) is kept as
// "Com Port Network". Wherever a device path is taken, a network port address is taken too.
class CCommunication final : public ISerialChannel {
 public:
  static constexpr uint32_t kModeCount = 4;
  static constexpr uint32_t kClWriteLimitMs = limits::kClWriteMs;

  // `traffic` receives the "Tx: " lines: the terminal's log first, then the command log
  // (a TrafficFanOut holding both).
  CCommunication(StoredSettings& settings, IMessagePresenter& messages, ITrafficSink& traffic);
  ~CCommunication() override;
  CCommunication(const CCommunication&) = delete;
  CCommunication& operator=(const CCommunication&) = delete;

  uint32_t GetMode() const { return mode_; }
  // Stores the mode only; nothing is closed or opened.
  void SetMode(uint32_t mode) { mode_ = mode; }
  uint32_t GetBaudRate() const { return baudRate_; }
  // Position of the baud rate in kBaudRates; 0 for a rate not in the list.
  int BaudRateIndex() const;
  static uint32_t BaudRateFromIndex(int position);
  // The stored index of the current mode; 0 for a mode outside 0..3.
  uint32_t GetPortIndex() const;
  uint32_t GetPortIndex(uint32_t mode) const;
  // The position of the current choice in the port list: the stored index of the current
  // mode; in COM port mode the COM name's index or the chosen device's position (after
  // GetPortCount), kNotListed for a choice the list does not show.
  uint32_t GetPortListIndex() const;
  static constexpr uint32_t kNotListed = UINT32_MAX;
  // Rs232c: the 32 COM names and the devices found (refreshed); a Camera Link mode
  // refreshes its name list and gives its length.
  int GetPortCount();
  std::string GetPortName(int index) const;
  // The device a COM port list entry opens (shown beside the name); empty for other modes.
  std::string GetPortDevice(int index) const;
  // Rs232c: which entries of the port list lead to a device that is there now, in list
  // order (a network port counts as not known); empty for other modes.
  std::vector<bool> PortsPresent() const;
  // Where the serial devices are looked for (tests pass a fake tree).
  void SetDeviceTree(DeviceTree tree) { tree_ = std::move(tree); }
  // The device chosen from the COM port list by its stable name; empty for a COM name.
  const std::string& GetComDevice() const { return comDevice_; }

  bool Open(uint32_t mode, uint32_t baudRate, uint32_t index);
  bool Reopen();
  bool OpenMode(uint32_t mode);
  bool OpenBaudRate(uint32_t rate);
  // Opens a list position: in COM port mode a position past the COM names opens the device
  // listed there.
  bool OpenPort(uint32_t index);
  // Opens a serial device by path in COM port mode; the stored COM port index is kept.
  bool OpenDevice(const std::string& device, uint32_t baudRate);
  // Opens a serial device by path in COM port mode and keeps it as the stored choice.
  bool OpenComDevice(const std::string& device, uint32_t baudRate);
  // In COM port mode, the path the current choice opens: the device chosen, the link of a
  // COM name (followed anew at each open) or its /dev/ttyS device; empty in other modes.
  std::string ComPortPath() const;
  // ComPortPath as it was at the last open of the COM port.
  const std::string& OpenedComPortPath() const { return openedPath_; }
  // In COM port mode, who else holds the port open ("/dev/ttyUSB0 is open in picocom (pid
  // 4242)..."); empty when nobody is seen or in other modes. For the message that the camera
  // does not answer.
  std::string OtherProgramsOnPort() const;
  // Whether the COM port may be opened while another program holds it open (see
  // CRs232c::SetSharedPort).
  void SetSharedPort(bool shared) { rs232c_.SetSharedPort(shared); }
  // The program that kept the COM port's last open from succeeding, when that was the reason.
  std::optional<PortRefusal> PortRefusalOfOpen() const;
  // In a Camera Link mode, why the last open found no library to use (see
  // CClSerialChannel::LibraryProblem); empty otherwise.
  std::string LibraryProblemOfOpen() const;
  // Opens the current COM port choice again without showing a message when it fails: the
  // re-opening of a port whose device came back. False in other modes.
  bool ReopenComPortQuietly();
  // Off: a failed open of the COM port or network port shows no message.
  void SetReportFailures(bool report);
  // Whether the COM port mode's channel open now (or last) is a network port.
  bool UsesNetworkPort() const { return networkActive_; }
  void Close();
  bool IsOpen() const;

  // Sends the text as it is and logs it as "Tx: " without its line end; the result is the
  // channel's.
  bool Write(const std::string& text) override;
  int Read(char* buffer, int count, int limitMs) override;
  // The COM port's hang-up or failed write; a Camera Link port has no such signal.
  bool Lost() const override;

  // When off, the destruction leaves the stored values as they were (runs whose channel
  // choice is only for the run).
  void SetWriteBack(bool writeBack) { writeBack_ = writeBack; }

  // Where reads wait out their limit while no channel is open (the steady clock unless set;
  // the COM port takes it too).
  void SetClock(IClock* clock) {
    clock_ = clock ? clock : &steadyClock_;
    rs232c_.SetClock(clock);
  }

  CRs232c& ComPort() { return rs232c_; }
  NetworkChannel& NetworkPort() { return network_; }
  // How long a quiet reopening waits for a network port's server to accept the connection.
  static constexpr int kQuietConnectLimitMs = 300;
  CClSerial2000& ClSerial2000() { return cl2000_; }
  CClSerial2001& ClSerial2001() { return cl2001_; }
  CClSerialVer11& ClSerialVer11() { return clVer11_; }

 private:
  // The Camera Link channel of a mode; null for the COM port and unknown modes.
  CClSerialChannel* ClChannel(uint32_t mode) const;
  int ReadCameraLink(CClSerialChannel& channel, char* buffer, int count, int limitMs);
  // The listed device at a COM port list position; null for a COM name or no entry.
  const SerialPortInfo* ListedDevice(int index) const;
  bool OpenComPort(const std::string& device, const std::string& name);
  // The chosen network port's position in the COM port list, or -1 without one.
  int NetworkListIndex() const;
  // Opens the current choice of `mode`: in COM port mode the device chosen, if any.
  bool OpenChoice(uint32_t mode, uint32_t baudRate);

  StoredSettings& settings_;
  ITrafficSink& traffic_;
  uint32_t mode_ = 0;
  uint32_t baudRate_ = 9600;
  std::array<uint32_t, kModeCount> portIndex_{};  // rs232c, cl2000, cl2001, clVer11
  bool writeBack_ = true;
  std::string comDevice_;       // a device chosen instead of a COM name (stored)
  std::string storedDevice_;    // the device as it was read from the store
  std::string storedNetwork_;   // the network port as it was read from the store
  bool networkActive_ = false;  // the COM port mode opens a network port
  std::string runDevice_;       // a device opened for this run only (OpenDevice)
  std::string openedPath_;      // ComPortPath at the last open of the COM port
  DeviceTree tree_;
  std::vector<SerialPortInfo> devices_;  // the COM port list after the COM names

  CRs232c rs232c_;
  SteadyClock steadyClock_;
  IClock* clock_ = &steadyClock_;
  NetworkChannel network_;
  CClSerial2000 cl2000_;
  CClSerial2001 cl2001_;
  CClSerialVer11 clVer11_;
  const std::array<CClSerialChannel*, kModeCount> clChannels_ = {nullptr, &cl2000_, &cl2001_,
                                                                 &clVer11_};
};

}  // namespace vistrel
