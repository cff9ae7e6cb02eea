#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/Clock.h"
#include "core/Interfaces.h"
#include "core/TimeLimits.h"
#include "transport/LowLatency.h"
#include "transport/ReceiveRing.h"
#include "transport/SerialDevice.h"

namespace vistrel {

// What the Windows port needs besides the descriptor flag: Win32 handles, kept as void* so
// that users of this header need no <windows.h>.
#ifdef _WIN32
struct Rs232cWin32Handles {
  void* port = nullptr;       // the open port (overlapped I/O)
  void* rsMutex = nullptr;    // the named mutex "Rs Mutex": one write or drain at a time
  void* stopEvent = nullptr;  // set by Close to end the receive thread's wait
  bool isPipe = false;        // a pipe (the simulated camera of --simulate), not a COM port
};
#else
struct Rs232cWin32Handles {};
#endif

// Another program that kept a COM port from being opened.
struct PortRefusal {
  PortHolder holder;
  bool byLockFile = false;  // its lock file; else it holds the device open
};

// The COM port channel: a serial device opened exclusively in raw mode, with a receive
// thread that moves arriving bytes into the ReceiveRing.
class CRs232c {
 public:
  // The steps of opening a port that can fail, each with its message (%s: the port name).
  enum class OpenStep {
    CreateFile,
    SetCommMask,
    SetupComm,
    SetCommTimeouts,
    GetCommState,
    SetCommState
  };

  explicit CRs232c(IMessagePresenter& messages);
  ~CRs232c();
  CRs232c(const CRs232c&) = delete;
  CRs232c& operator=(const CRs232c&) = delete;

  // Opens `device` (`name` is what messages call it, for example "COM3"). stopBits is the
  // stop-bit code: 0 one, 1 one and a half, 2 two. Shows the message of the failing step
  // (when the device itself cannot be opened, with what went wrong and what to do) and
  // returns false when the port cannot be opened. A path that names no serial device is
  // refused before it is opened; a port another program holds (its exclusive open, or a lock
  // file naming a live process) is refused with that program's name where it can be had, and
  // so is one that another program holds open without either (as far as this user may see
  // other processes), unless the port is shared (SetSharedPort). The
  // port's lock file is taken while the port is open (see PortLock.h). The driver is asked
  // for low latency.
  bool Open(const std::string& device, const std::string& name, uint32_t baudRate, int dataBits,
            int stopBits, bool flowControl, bool parityCheck);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Sends all bytes; false when the port is closed, the length is below 1 or the device
  // does not take them within the write time limit.
  bool Write(const char* bytes, int length);
  // Takes up to `max` bytes that have already arrived.
  int Read(char* buffer, int max);
  // Takes bytes until `count` have arrived or `limitMs` has passed; never spins.
  int Read(char* buffer, int count, int limitMs);
  int Available() const { return ring_.Available(); }
  // True when the line was hung up or a write failed since the port was opened.
  bool Lost() const { return writeFailed_ || ring_.Ended(); }
  void ResetRing() { ring_.Reset(); }

  // On: the port is opened although another program holds it open (a program meant to share
  // it); its lock file and exclusive open are still honoured.
  void SetSharedPort(bool shared) { sharedPort_ = shared; }
  // The program that kept the last open from succeeding, when that was the reason.
  const std::optional<PortRefusal>& Refusal() const { return refusal_; }
  // Off: a failed open shows no message (the reopening of a port that came back).
  void SetReportFailures(bool report) { reportFailures_ = report; }
  // The low-latency request made on every open (EnableLowLatency unless replaced).
  void SetLowLatencyCall(LowLatencyCall call) { lowLatency_ = call; }
  // Where a read on a closed port waits out its limit (the steady clock unless set).
  void SetClock(IClock* clock) { clock_ = clock ? clock : &steadyClock_; }

  static const char* OpenMessage(OpenStep step);
  static constexpr int kWriteLimitMs = limits::kSerialWriteMs;

 private:
  // Releases what the open took so far (each platform its own), then reports the failure.
  bool Fail(OpenStep step, const std::string& name, const std::string& advice = {});
  // Shows the failure of an open step (unless failures go unreported); returns false.
  bool ReportOpenFailure(OpenStep step, const std::string& name, const std::string& advice);
  // Starts the receive thread on a port just opened; returns true.
  bool StartReceiving();
  // Takes the port's lock file; the message when another program holds it, else empty.
  std::string TakeLockFile(const std::string& device);
  void ReceiveLoop();
  void ReceiveUntilHangUp();
  bool WriteAll(const char* bytes, int length);
  // Windows only.
  bool ConfigurePort(const std::string& name, uint32_t baudRate, int dataBits, int stopBits,
                     bool flowControl, bool parityCheck);
  bool DrainDriverQueue();
  void ReceiveComEvents();
  void ReceivePipe();

  IMessagePresenter& messages_;
  bool reportFailures_ = true;
  bool sharedPort_ = false;
  std::optional<PortRefusal> refusal_;
  LowLatencyCall lowLatency_ = EnableLowLatency;
  SteadyClock steadyClock_;
  IClock* clock_ = &steadyClock_;
  int fd_ = -1;  // on Windows 0 while the port is open, the handle being in win32_
  int wakeFd_ = -1;
  int lockSlot_ = -1;  // the port's lock file while the port is open (-1: none)
  [[no_unique_address]] Rs232cWin32Handles win32_;
  std::mutex writeMutex_;  // one whole message at a time
  ReceiveRing ring_;
  std::thread receiveThread_;
  std::atomic<bool> running_{true};
  std::atomic<bool> writeFailed_{false};
};

}  // namespace vistrel
