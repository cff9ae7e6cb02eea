// The simulated camera of --simulate on Windows, where there are no pseudo-terminals: it is
// served on a named pipe of this process, which the COM port channel opens like a port.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "sim/InProcessCamera.h"
#include "sim/SimPeer.h"

namespace vistrel {
namespace {

constexpr DWORD kPipeBufferBytes = 4096;
// A client that sends no line end gets what it sent answered once this much has gathered.
constexpr size_t kMaxPending = 4096;

SimConfig ConfigFor(const std::string& model) {
  SimConfig config;
  config.model = model;
  return config;
}

std::string PipeName() {
  static std::atomic<unsigned> counter{0};
  return "\\\\.\\pipe\\vistrel-sim-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

class PipeCamera final : public InProcessCamera {
 public:
  explicit PipeCamera(const std::string& model)
      : camera_(std::make_shared<SimPeer>(ConfigFor(model))), name_(PipeName()) {}

  ~PipeCamera() override {
    if (stop_)
      SetEvent(stop_);
    if (thread_.joinable())
      thread_.join();
    if (pipe_ != INVALID_HANDLE_VALUE)
      CloseHandle(pipe_);
    if (stop_)
      CloseHandle(stop_);
  }

  bool Start(std::string& error) {
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    pipe_ = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                             PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, kPipeBufferBytes,
                             kPipeBufferBytes, 0, nullptr);
    if (!stop_ || pipe_ == INVALID_HANDLE_VALUE) {
      error = "cannot create the pipe " + name_ + " (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    thread_ = std::thread([this] { Serve(); });
    return true;
  }

  std::string DevicePath() const override { return name_; }

 private:
  // Runs one overlapped operation to its end; false when stopped or failed.
  bool Finish(BOOL started, OVERLAPPED& record, DWORD& transferred) {
    if (started)
      return GetOverlappedResult(pipe_, &record, &transferred, FALSE) != 0;
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED)
      return true;
    if (error != ERROR_IO_PENDING)
      return false;
    const HANDLE events[2] = {record.hEvent, stop_};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
      CancelIo(pipe_);
      GetOverlappedResult(pipe_, &record, &transferred, TRUE);
      return false;
    }
    return GetOverlappedResult(pipe_, &record, &transferred, FALSE) != 0;
  }

  bool WriteAll(const std::string& bytes, OVERLAPPED& record) {
    size_t done = 0;
    while (done < bytes.size()) {
      ResetEvent(record.hEvent);
      DWORD written = 0;
      const BOOL started =
          WriteFile(pipe_, bytes.data() + done, DWORD(bytes.size() - done), &written, &record);
      if (!Finish(started, record, written))
        return false;
      done += written;
    }
    return true;
  }

  void Serve() {
    OVERLAPPED record{};
    record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!record.hEvent)
      return;
    DWORD unused = 0;
    if (Finish(ConnectNamedPipe(pipe_, &record), record, unused)) {
      std::string inbound;
      char buffer[512];
      for (;;) {
        ResetEvent(record.hEvent);
        DWORD got = 0;
        if (!Finish(ReadFile(pipe_, buffer, sizeof buffer, &got, &record), record, got))
          break;  // the client closed the pipe, or the camera stops
        inbound.append(buffer, got);
        std::string replies;
        for (size_t end; (end = inbound.find('\n')) != std::string::npos;) {
          replies += camera_->Exchange(inbound.substr(0, end + 1));
          inbound.erase(0, end + 1);
        }
        if (inbound.size() > kMaxPending) {
          replies += camera_->Exchange(inbound);
          inbound.clear();
        }
        if (!replies.empty() && !WriteAll(replies, record))
          break;
      }
    }
    CloseHandle(record.hEvent);
  }

  std::shared_ptr<SimPeer> camera_;
  std::string name_;
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  HANDLE stop_ = nullptr;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<InProcessCamera> StartInProcessCamera(const std::string& model,
                                                      std::string& error) {
  auto camera = std::make_unique<PipeCamera>(model);
  if (!camera->Start(error))
    return nullptr;
  return camera;
}

}  // namespace vistrel
