// The read-all pass for the colour QX model in factory control mode, through the COM port
// channel against vistrel-sim emulating the wire, compared with the wire time of every line
// it sends and receives (10 bits a byte). Usage: [baud...] (115200 9600).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "camera/CameraSession.h"
#include "camera/ReadAll.h"
#include "support/SimProgram.h"
#include "transport/CCommunication.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts the bytes of the logged lines, with their CR LF.
class ByteCounter : public vistrel::ITrafficSink {
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

bool Measure(int baud) {
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud)});
  const std::string device = sim.FirstLine();
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (device.empty() || !::mkdtemp(folder.data()))
    return false;
  vistrel::bench::PrintingPresenter messages;
  ByteCounter counter;
  bool ok = false;
  {
    vistrel::StoredSettings store(folder);
    vistrel::CCommunication channel(store, messages, counter);
    channel.SetWriteBack(false);
    vistrel::Command engine(channel, messages);
    engine.SetTrafficSink(&counter);
    vistrel::ParameterTable table(messages);
    vistrel::CameraSession session(engine, table, messages);
    session.factoryMode = true;
    if (channel.OpenDevice(device, static_cast<uint32_t>(baud)) &&
        vistrel::CheckModel(engine, messages, session.model)) {
      counter = ByteCounter{};
      const auto start = Clock::now();
      const size_t read = vistrel::ReadAll(session).read.size();
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      const double wireMs = double(counter.bytes) * 10.0 * 1000.0 / baud;
      const double replyMs = double(counter.replyBytes) * 10.0 * 1000.0 / baud;
      std::printf(
          "%7d baud: %zu rows read, %d lines, %zu bytes; %.1f ms; wire time of all lines %.1f ms "
          "(ratio %.2f), of the replies alone %.1f ms (ratio %.2f)\n",
          baud, read, counter.lines, counter.bytes, ms, wireMs, ms / wireMs, replyMs, ms / replyMs);
      ok = true;
    }
  }
  std::filesystem::remove_all(folder);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> rates;
  for (int i = 1; i < argc; ++i)
    rates.push_back(std::atoi(argv[i]));
  if (rates.empty())
    rates = {115200, 9600};
  for (int baud : rates) {
    if (!Measure(baud)) {
      std::fprintf(stderr, "read-all at %d baud failed\n", baud);
      return 1;
    }
  }
  return 0;
}
