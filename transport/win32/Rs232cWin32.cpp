// The COM port channel on Windows: \\.\COMn opened for overlapped I/O, a receive thread that
// waits for the received-character event and drains the driver's queue into the ReceiveRing.
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

#include "transport/CRs232c.h"
#include "transport/OpenFailure.h"

namespace vistrel {

namespace {

constexpr const char* kRsMutexName = "Rs Mutex";
constexpr DWORD kQueueBytes = 1024;  // the driver's input and output queues
constexpr WORD kXonLimit = 100;
constexpr WORD kXoffLimit = 1500;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

HANDLE AsHandle(void* handle) {
  return static_cast<HANDLE>(handle);
}

// An event for one overlapped operation, closed with the object.
class OverlappedEvent {
 public:
  OverlappedEvent() { record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
  ~OverlappedEvent() {
    if (record.hEvent)
      CloseHandle(record.hEvent);
  }
  OverlappedEvent(const OverlappedEvent&) = delete;
  OverlappedEvent& operator=(const OverlappedEvent&) = delete;
  bool Valid() const { return record.hEvent != nullptr; }
  void Rearm() {
    ResetEvent(record.hEvent);
    record.Internal = record.InternalHigh = 0;
    record.Offset = record.OffsetHigh = 0;
  }
  OVERLAPPED record{};
};

// Waits for an operation that went pending, or for `stop`; false when stopped or failed
// (a stopped operation is cancelled and waited for, so its buffers may go).
bool Complete(HANDLE port, OVERLAPPED& record, HANDLE stop, DWORD& transferred) {
  const HANDLE events[2] = {record.hEvent, stop};
  const DWORD woke = WaitForMultipleObjects(2, events, FALSE, INFINITE);
  if (woke != WAIT_OBJECT_0) {
    CancelIo(port);
    GetOverlappedResult(port, &record, &transferred, TRUE);
    return false;
  }
  return GetOverlappedResult(port, &record, &transferred, FALSE) != 0;
}

// Holds "Rs Mutex" for its lifetime (an abandoned mutex is owned all the same).
class RsMutexLock {
 public:
  explicit RsMutexLock(void* mutex) : mutex_(AsHandle(mutex)) {
    if (mutex_)
      WaitForSingleObject(mutex_, INFINITE);
  }
  ~RsMutexLock() {
    if (mutex_)
      ReleaseMutex(mutex_);
  }
  RsMutexLock(const RsMutexLock&) = delete;
  RsMutexLock& operator=(const RsMutexLock&) = delete;

 private:
  HANDLE mutex_;
};

DWORD QueuedBytes(HANDLE port) {
  DWORD errors = 0;
  COMSTAT status{};
  return ClearCommError(port, &errors, &status) ? status.cbInQue : 0;
}

}  // namespace

bool EnableLowLatency(int) {
  return false;  // Windows drivers keep their own latency setting
}

CRs232c::CRs232c(IMessagePresenter& messages) : messages_(messages) {
  win32_.rsMutex = CreateMutexA(nullptr, FALSE, kRsMutexName);
}

CRs232c::~CRs232c() {
  Close();
  if (win32_.rsMutex)
    CloseHandle(AsHandle(win32_.rsMutex));
}

bool CRs232c::Fail(OpenStep step, const std::string& name, const std::string& advice) {
  if (win32_.port) {
    CloseHandle(AsHandle(win32_.port));
    win32_.port = nullptr;
    fd_ = -1;
  }
  return ReportOpenFailure(step, name, advice);
}

bool CRs232c::Open(const std::string& device, const std::string& name, uint32_t baudRate,
                   int dataBits, int stopBits, bool flowControl, bool parityCheck) {
  if (IsOpen())
    Close();

  HANDLE port = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE)
    return Fail(OpenStep::CreateFile, name, OpenFailureAdvice(int(GetLastError()), device));
  win32_.port = port;
  fd_ = 0;  // IsOpen
  // A pipe has no line settings: the simulated camera of --simulate serves one.
  win32_.isPipe = GetFileType(port) == FILE_TYPE_PIPE;
  if (!win32_.isPipe &&
      !ConfigurePort(name, baudRate, dataBits, stopBits, flowControl, parityCheck))
    return false;

  win32_.stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!win32_.stopEvent)
    return Fail(OpenStep::CreateFile, name);
  return StartReceiving();
}

bool CRs232c::ConfigurePort(const std::string& name, uint32_t baudRate, int dataBits, int stopBits,
                            bool flowControl, bool parityCheck) {
  const HANDLE port = AsHandle(win32_.port);
  if (!SetCommMask(port, EV_RXCHAR))
    return Fail(OpenStep::SetCommMask, name);
  if (!SetupComm(port, kQueueBytes, kQueueBytes))
    return Fail(OpenStep::SetupComm, name);
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;  // a read returns at once with what is there
  timeouts.WriteTotalTimeoutConstant = kWriteLimitMs;
  if (!SetCommTimeouts(port, &timeouts))
    return Fail(OpenStep::SetCommTimeouts, name);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb))
    return Fail(OpenStep::GetCommState, name);
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = baudRate;
  dcb.fBinary = TRUE;
  dcb.fParity = parityCheck ? TRUE : FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fOutX = dcb.fInX = flowControl ? TRUE : FALSE;
  dcb.XonChar = kXon;
  dcb.XoffChar = kXoff;
  dcb.XonLim = kXonLimit;
  dcb.XoffLim = kXoffLimit;
  dcb.ByteSize = BYTE(dataBits);
  dcb.Parity = NOPARITY;
  dcb.StopBits = BYTE(stopBits);
  if (!SetCommState(port, &dcb))
    return Fail(OpenStep::SetCommState, name);
  EscapeCommFunction(port, SETDTR);
  // What waits on the port from before this open answers nobody's question.
  PurgeComm(port, PURGE_RXCLEAR);
  DWORD errors = 0;
  ClearCommError(port, &errors, nullptr);
  return true;
}

void CRs232c::Close() {
  running_ = false;
  if (win32_.stopEvent)
    SetEvent(AsHandle(win32_.stopEvent));
  if (win32_.port && !win32_.isPipe)
    SetCommMask(AsHandle(win32_.port), 0);  // ends a pending wait for the receive event
  if (receiveThread_.joinable()) {
    ring_.Stop();
    receiveThread_.join();
  }
  if (win32_.stopEvent) {
    CloseHandle(AsHandle(win32_.stopEvent));
    win32_.stopEvent = nullptr;
  }
  if (win32_.port) {
    CloseHandle(AsHandle(win32_.port));
    win32_.port = nullptr;
    fd_ = -1;
  }
}

void CRs232c::ReceiveUntilHangUp() {
  if (win32_.isPipe)
    ReceivePipe();
  else
    ReceiveComEvents();
}

// Moves what the driver holds into the ring, at most what fits: the rest stays with the
// driver until the reader makes room. Clears the line errors (overrun, framing) on the way,
// so that the driver goes on receiving. False when the port is gone.
bool CRs232c::DrainDriverQueue() {
  const HANDLE port = AsHandle(win32_.port);
  RsMutexLock lock(win32_.rsMutex);
  for (;;) {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port, &errors, &status))
      return false;
    const DWORD wanted = std::min<DWORD>(status.cbInQue, DWORD(ring_.Space()));
    if (wanted == 0)
      return true;
    char chunk[ReceiveRing::kSize];
    OverlappedEvent read;
    DWORD got = 0;
    if (!ReadFile(port, chunk, wanted, &got, &read.record)) {
      if (GetLastError() != ERROR_IO_PENDING ||
          !Complete(port, read.record, AsHandle(win32_.stopEvent), got))
        return false;
    }
    if (got == 0)
      return true;
    ring_.Put(chunk, int(got));
  }
}

void CRs232c::ReceiveComEvents() {
  const HANDLE port = AsHandle(win32_.port);
  OverlappedEvent wait;
  if (!wait.Valid())
    return;
  while (running_) {
    // Bytes that came before the wait raise no event of their own: take them first.
    if (!ring_.WaitForSpace() || !DrainDriverQueue())
      return;
    DWORD mask = 0;
    wait.Rearm();
    if (!WaitCommEvent(port, &mask, &wait.record)) {
      DWORD unused = 0;
      if (GetLastError() != ERROR_IO_PENDING)
        return;
      // Bytes that arrived between the drain and the wait: take them without waiting.
      if (QueuedBytes(port) > 0) {
        CancelIo(port);
        GetOverlappedResult(port, &wait.record, &unused, TRUE);
        continue;
      }
      // A wait the driver gave up (wine does so now and then) is simply made again.
      if (!Complete(port, wait.record, AsHandle(win32_.stopEvent), unused) &&
          GetLastError() != ERROR_OPERATION_ABORTED)
        return;
    }
    // Mask 0: the event mask was changed (Close); the loop condition decides.
  }
}

void CRs232c::ReceivePipe() {
  const HANDLE port = AsHandle(win32_.port);
  OverlappedEvent read;
  if (!read.Valid())
    return;
  char chunk[ReceiveRing::kSize];
  while (running_) {
    if (!ring_.WaitForSpace())
      return;
    read.Rearm();
    DWORD got = 0;
    if (!ReadFile(port, chunk, DWORD(ring_.Space()), &got, &read.record)) {
      if (GetLastError() != ERROR_IO_PENDING ||
          !Complete(port, read.record, AsHandle(win32_.stopEvent), got))
        return;  // the other end closed the pipe, or the port is closing
    }
    ring_.Put(chunk, int(got));
  }
}

// One WriteFile for the whole message, waited for up to the write limit: the overlapped
// record is reused only after the write it served has ended.
bool CRs232c::WriteAll(const char* bytes, int length) {
  const HANDLE port = AsHandle(win32_.port);
  OverlappedEvent write;
  if (!write.Valid())
    return false;
  RsMutexLock lock(win32_.rsMutex);
  DWORD done = 0;
  if (WriteFile(port, bytes, DWORD(length), &done, &write.record))
    return done == DWORD(length);
  if (GetLastError() != ERROR_IO_PENDING)
    return false;
  if (WaitForSingleObject(write.record.hEvent, DWORD(kWriteLimitMs)) != WAIT_OBJECT_0) {
    CancelIo(port);
    GetOverlappedResult(port, &write.record, &done, TRUE);
    return false;
  }
  return GetOverlappedResult(port, &write.record, &done, FALSE) && done == DWORD(length);
}

}  // namespace vistrel
