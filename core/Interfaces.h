#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vistrel {

// The serial channel under the command engine. Implemented by the transport layer's
// CCommunication, and by in-process peers in tests.
class ISerialChannel {
 public:
  virtual ~ISerialChannel() = default;
  // Sends the bytes of `text` as they are; true when the channel took them.
  virtual bool Write(const std::string& text) = 0;
  // Delivers up to `count` bytes that arrive within `limitMs` and returns how many it
  // delivered. Returns as soon as `count` bytes are there; with a limit of 0 it only takes
  // bytes that have already arrived. Never spins: it sleeps while waiting for bytes.
  virtual int Read(char* buffer, int count, int limitMs) = 0;
  // True once the channel has seen its far end hang up or fail: nothing more can arrive
  // until it is opened again, so nobody needs to wait for a reply.
  virtual bool Lost() const { return false; }
};

// Online / offline state of the link, shown by every registered window.
class IOnlineStatus {
 public:
  virtual ~IOnlineStatus() = default;
  virtual void SetOnline() = 0;
  virtual void SetOffline() = 0;
};

enum class MessageIcon { Exclamation, Stop, Information, Question };

// Modal messages, questions and file choices put to the operator.
class IMessagePresenter {
 public:
  virtual ~IMessagePresenter() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessageIcon icon) = 0;
  // A yes/no question; true for yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // A file choice; `filter` uses the "Name (*.ext)|*.ext|" form; empty when cancelled.
  virtual std::optional<std::string> ChooseFile(bool forSaving, const std::string& folder,
                                                const std::string& defaultExtension,
                                                const std::string& filter) {
    (void)forSaving, (void)folder, (void)defaultExtension, (void)filter;
    return std::nullopt;
  }
};

// A busy indication (the wait cursor) held while an exchange runs.
class IBusyIndicator {
 public:
  virtual ~IBusyIndicator() = default;
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
};

// A progress display for long passes: a message line and a 0..100 bar.
class IProgress {
 public:
  virtual ~IProgress() = default;
  virtual void Begin(const std::string& message) = 0;
  virtual void Update(int percent) = 0;
  virtual void End() = 0;
  // Replaces the message line while the display shows.
  virtual void SetMessage(const std::string& message) { (void)message; }
  // Offers the operator a way to stop the pass that began last; Cancelled() says whether
  // the operator took it. A display without one never reports a cancel.
  virtual void OfferCancel() {}
  virtual bool Cancelled() const { return false; }
};

// One of the traffic logs ("Tx: ..." and "Rx: ..." lines).
class ITrafficSink {
 public:
  virtual ~ITrafficSink() = default;
  virtual void AppendLine(const std::string& line) = 0;
};

// The controls that show parameter values, addressed by control id.
class IParameterView {
 public:
  virtual ~IParameterView() = default;
  // Shows `value` in the control `ctrlId` the way its control class shows values.
  virtual void ShowParameter(int ctrlId, int32_t value) = 0;
  // Reads the value the control currently shows; nullopt when there is no such control.
  virtual std::optional<int32_t> ReadControlValue(int ctrlId) {
    (void)ctrlId;
    return std::nullopt;
  }
  // Gives every number control its range from the parameter table again.
  virtual void ApplyRanges() {}
  // Runs the change handling of a choice control, as if the operator had picked its entry.
  virtual void RunChoiceChange(int ctrlId) { (void)ctrlId; }
};

// Null objects: the defaults wherever nobody listens.
class NullOnlineStatus final : public IOnlineStatus {
 public:
  void SetOnline() override {}
  void SetOffline() override {}
};

class NullBusyIndicator final : public IBusyIndicator {
 public:
  void BeginBusy() override {}
  void EndBusy() override {}
};

class NullTrafficSink final : public ITrafficSink {
 public:
  void AppendLine(const std::string&) override {}
};

class NullParameterView final : public IParameterView {
 public:
  void ShowParameter(int, int32_t) override {}
};

// Hands every line to several sinks in order (terminal first, then the command log).
class TrafficFanOut final : public ITrafficSink {
 public:
  void Add(ITrafficSink* sink) { sinks_.push_back(sink); }
  void AppendLine(const std::string& line) override {
    for (ITrafficSink* sink : sinks_)
      sink->AppendLine(line);
  }

 private:
  std::vector<ITrafficSink*> sinks_;
};

}  // namespace vistrel
