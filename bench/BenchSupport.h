#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "camera/CameraModel.h"
#include "camera/CameraSession.h"
#include "core/Interfaces.h"
#include "transport/CCommunication.h"

namespace vistrel::bench {

// Messages of the program under measurement go to stderr; questions are answered no.
class PrintingPresenter : public IMessagePresenter {
 public:
  void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

// Counts the bytes of the logged lines, with their CR LF.
class ByteCounter : public ITrafficSink {
 public:
  void AppendLine(const std::string& line) override {
    const size_t n = line.size() - 4 + 2;  // "Tx: " / "Rx: " prefix off, line end on
    bytes += n;
    if (line.starts_with("Rx: "))
      replyBytes += n;
    ++lines;
  }
  size_t bytes = 0;
  size_t replyBytes = 0;
  int lines = 0;
};

// The time `bytes` take on the wire at `baud` (10 bits a byte), in milliseconds.
inline double WireMs(size_t bytes, int baud) {
  return double(bytes) * 10.0 * 1000.0 / baud;
}

// A settings folder of the measurement's own under the temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() : path_((std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string()) {
    made_ = ::mkdtemp(path_.data()) != nullptr;
  }
  ~TempFolder() {
    if (made_)
      std::filesystem::remove_all(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Made() const { return made_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool made_ = false;
};

// The COM port channel, the engine and a camera session over a stored settings folder, with
// the traffic counted; the channel does not write its settings back.
struct Link {
  explicit Link(const std::string& folder)
      : store(folder),
        channel(store, messages, counter),
        engine(channel, messages),
        table(messages),
        session(engine, table, messages) {
    channel.SetWriteBack(false);
    engine.SetTrafficSink(&counter);
  }

  // Opens `device` and checks the camera's model.
  bool Connect(const std::string& device, int baud) {
    return channel.OpenDevice(device, static_cast<uint32_t>(baud)) &&
           session.CheckModelAgain() == Outcome::Done;
  }

  PrintingPresenter messages;
  ByteCounter counter;
  StoredSettings store;
  CCommunication channel;
  Command engine;
  ParameterTable table;
  CameraSession session;
};

}  // namespace vistrel::bench
