#pragma once

#include <string>
#include <vector>

namespace vistrel {

// The channel choices the communication dialog offers: category (communication mode), port
// and baud rate. Implemented over the program's channel object.
class IChannelSetup {
 public:
  virtual ~IChannelSetup() = default;
  // Opens the stored channel again; false when it cannot be opened.
  virtual bool Reopen() = 0;
  virtual void Close() = 0;
  virtual int GetMode() const = 0;
  // Makes `mode` the mode of this run without opening anything.
  virtual void SetMode(int mode) = 0;
  virtual bool OpenMode(int mode) = 0;
  // Refreshes the name list of the current mode and returns its length.
  virtual int GetPortCount() = 0;
  virtual std::string GetPortName(int index) = 0;
  // The device behind a port name, shown beside it (COM ports); empty when there is none.
  virtual std::string GetPortDevice(int index) {
    (void)index;
    return {};
  }
  // Which entries of the port list lead to a device that is there now, in list order;
  // empty when that is not known.
  virtual std::vector<bool> PortsPresent() { return {}; }
  virtual int GetPortIndex() const = 0;
  virtual bool OpenPort(int index) = 0;
  // Whether the port list ends with an entry that asks for a network port's address.
  virtual bool OffersNetworkPort() const { return false; }
  // The network port chosen now ("rfc2217://..."), empty when none.
  virtual std::string NetworkPort() const { return {}; }
  // Why `address` names no network port, in the operator's words; empty when it does.
  virtual std::string NetworkPortProblem(const std::string& address) const {
    (void)address;
    return {};
  }
  // Opens a network port by its address and keeps it as the choice.
  virtual bool OpenNetworkPort(const std::string& address) {
    (void)address;
    return false;
  }
  virtual int BaudRateIndex() const = 0;
  virtual bool OpenBaudRateIndex(int index) = 0;

  // What the watch of the COM port found since the last call: the port was lost (its device
  // went away), or its device came back and the port is open again.
  enum class PortEvent { None, Lost, Reopened };
  virtual PortEvent WatchPort() { return PortEvent::None; }
  // Whether the channel is open (a camera behind it may still be silent).
  virtual bool IsOpen() const { return true; }
  // The channel actually in use, for the operator: the port and its device, or the
  // simulated camera.
  virtual std::string ChannelInUse() { return GetPortName(GetPortIndex()); }
  // Opens a port of the list without showing a message when it fails: "" when it opened,
  // otherwise why not, in the operator's words.
  virtual std::string TryPort(int index) {
    return OpenPort(index) ? std::string() : std::string("could not be opened");
  }
  // Notes the channel open now, and opens it again (quietly) after a search tried others.
  virtual void RememberChannel() { remembered_ = GetPortIndex(); }
  virtual bool RestoreChannel() { return TryPort(remembered_).empty(); }

 protected:
  int remembered_ = 0;
};

// What the communication dialog asks of the main dialog.
class ICommunicationHost {
 public:
  virtual ~ICommunicationHost() = default;
  virtual void SetChannelOk(bool ok) = 0;
  // Lets the main dialog refresh its state after the channel changed.
  virtual void RefreshState() = 0;
  // The model check; true when it accepts the camera.
  virtual bool CheckModel() = 0;
  // Reads all camera settings and refreshes the pages.
  virtual void ReadAllSettings() = 0;
  virtual int ControlMode() const = 0;
  virtual void SaveSettingFile() = 0;
  virtual void LoadSettingFile() = 0;
  virtual void StoreUserSet(int userSet) = 0;
  virtual void LoadUserSet(int userSet) = 0;
  // Whether a camera answers the model query on the channel open now within `limitMs`; no
  // message either way.
  virtual bool CameraAnswers(int limitMs) {
    (void)limitMs;
    return CheckModel();
  }
  // The model the last model check found, as the camera names it.
  virtual std::string ModelName() const { return {}; }
  // Shows what an automatic port search found in the status bar.
  virtual void ShowSearchResult(const std::string& result) { (void)result; }
};

}  // namespace vistrel
