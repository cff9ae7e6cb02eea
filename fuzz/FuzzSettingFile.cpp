// Loading a setting file into the in-process simulated camera. The fuzz input is the file.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "camera/CameraSession.h"
#include "camera/SettingFile.h"
#include "camera/SettingFileLines.h"
#include "core/Command.h"
#include "core/Interfaces.h"
#include "core/ParameterTable.h"
#include "core/ReplyFields.h"
#include "fuzz/FuzzCheck.h"
#include "sim/SimCamera.h"

namespace {

using vistrel::fuzz::Check;

// An input is held to a few lines; longer files only repeat what a short one exercises.
constexpr size_t kMostLines = 16;
// The clock moves on this much with every line sent, so adjustment runs and the reset
// silence end without real waiting.
constexpr int kTimePerLineMs = 10;
constexpr auto kCameraRunTime = std::chrono::milliseconds(50);

vistrel::SimConfig CameraConfig() {
  vistrel::SimConfig config;
  config.resetTime = kCameraRunTime;
  config.adjustTime = kCameraRunTime;
  return config;
}

// A camera as it powers on at the manual clock's start. Every input starts from a copy of it,
// assigned into the one working camera, which keeps its storage from input to input: a fresh
// camera would build its flash areas and tables anew each time.
const vistrel::SimCamera& PoweredOnCamera() {
  static const vistrel::SimCamera camera(CameraConfig(),
                                         vistrel::SimTime(vistrel::ManualClock().Now()));
  return camera;
}

vistrel::SimCamera& WorkingCamera() {
  static vistrel::SimCamera camera = PoweredOnCamera();
  return camera;
}

// The simulated camera as the engine's channel. The engine, its pauses and the camera run on
// one manual clock, which waits for a reply move on instead of taking real time.
class CameraChannel : public vistrel::ISerialChannel {
 public:
  CameraChannel() : camera_(WorkingCamera()) { camera_ = PoweredOnCamera(); }

  bool Write(const std::string& text) override {
    clock.Advance(kTimePerLineMs);
    pending_ += camera_.Receive(text, Now());
    return true;
  }

  int Read(char* buffer, int count, int limitMs) override {
    if (pending_.empty()) {
      clock.Advance(limitMs);
      return 0;
    }
    const size_t n = std::min(pending_.size(), static_cast<size_t>(std::max(count, 0)));
    pending_.copy(buffer, n);
    pending_.erase(0, n);
    return static_cast<int>(n);
  }

  vistrel::ManualClock clock;

 private:
  vistrel::SimTime Now() const { return vistrel::SimTime(clock.Now()); }

  vistrel::SimCamera& camera_;
  std::string pending_;
};

class QuietPresenter : public vistrel::IMessagePresenter {
 public:
  void ShowMessage(const std::string&, const std::string&, vistrel::MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

std::string& FilePath() {
  static std::string path;
  return path;
}

// The file stays open from input to input; each input replaces its contents.
int& FileDescriptor() {
  static int fd = -1;
  return fd;
}

void RemoveFile() {
  if (!FilePath().empty())
    std::remove(FilePath().c_str());
}

bool WriteFile(const uint8_t* data, size_t size) {
  const int fd = FileDescriptor();
  return ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/vistrel-fuzz-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    std::perror("mkstemp");
    std::abort();
  }
  FileDescriptor() = fd;
  FilePath() = pattern;
  std::atexit(RemoveFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (static_cast<size_t>(std::count(data, data + size, '\n')) >= kMostLines)
    return -1;
  if (!WriteFile(data, size))
    std::abort();

  CameraChannel channel;
  QuietPresenter presenter;
  vistrel::Command engine(channel, presenter);
  engine.SetClock(&channel.clock);
  vistrel::ParameterTable table(presenter);
  vistrel::CameraSession session(engine, table, presenter);
  session.SetFactoryMode(true);
  vistrel::LoadReport report;
  const vistrel::Outcome outcome =
      vistrel::LoadSettingFile(session, FilePath(), &report, vistrel::OtherModel::Load);
  // The file was just written: only a file with nothing to send is refused, and then whole.
  Check(outcome != vistrel::Outcome::BadInput || report.sent.empty(),
        "a refused file sends nothing");
  if (outcome == vistrel::Outcome::BadInput) {
    std::vector<std::string> lines;
    Check(vistrel::ReadSettingFileLines(session, FilePath(), lines) == vistrel::Outcome::Done,
          "the file reads");
    Check(!vistrel::SurveyFile(session, lines).anySetting,
          "only a file without settings is refused");
  }
  // What goes to the camera is a clean line: no control character, and a number where the
  // command takes one.
  for (const vistrel::FileLineNote& sent : report.sent) {
    for (const char c : sent.line)
      Check(static_cast<unsigned char>(c) >= 0x20 || c == '\t', "no control character is sent");
    vistrel::ReplyFields fields;
    Check(vistrel::ParseReply(sent.line, fields) && !fields.garbled, "a sent line is clean");
  }
  return 0;
}
