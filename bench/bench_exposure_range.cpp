// The slowest parameter handler: a tap geometry change with the exposure range refresh after
// it (the setting and its read-back, HB?, VB?, AR?, PE?, CLCFG?, the list rebuild), through the
// COM port channel against vistrel-sim emulating the wire, compared with the wire time of the
// lines it sends and receives (10 bits a byte). Usage: [baud] [rounds] (115200 20).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/BenchSupport.h"
#include "camera/CameraSession.h"
#include "params/CameraLinkCombos.h"
#include "params/ControlIds.h"
#include "params/Handlers.h"
#include "support/SimProgram.h"
#include "support/TestPanel.h"
#include "transport/CCommunication.h"

namespace {

using Clock = std::chrono::steady_clock;

class ByteCounter : public vistrel::ITrafficSink {
 public:
  void AppendLine(const std::string& line) override {
    bytes += line.size() - 4 + 2;  // "Tx: " / "Rx: " prefix off, line end on
    ++lines;
  }
  size_t bytes = 0;
  int lines = 0;
};

bool Measure(int baud, int rounds) {
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
    vistrel::test::TestPanel panel;
    vistrel::HandlerContext context{table, engine, panel, session};
    if (channel.OpenDevice(device, static_cast<uint32_t>(baud)) &&
        vistrel::CheckModel(engine, messages, session.model)) {
      table.MarkAllSent();  // as after a read: only the change goes out
      vistrel::CameraLinkCombos::Rebuild(panel, session.link);
      counter = ByteCounter{};
      const auto start = Clock::now();
      for (int i = 0; i < rounds; ++i) {
        panel.Pick(vistrel::ctl::TAGM, i % 2 == 0 ? 0 : 2);  // 1X2_1Y, 1X4_1Y
        vistrel::Handlers::OnParameterSelect(context, vistrel::ctl::TAGM);
      }
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      const double wireMs = double(counter.bytes) * 10.0 * 1000.0 / baud;
      std::printf(
          "%7d baud: %d tap geometry changes, %d lines, %zu bytes; %.1f ms each; wire "
          "time %.1f ms each (ratio %.2f)\n",
          baud, rounds, counter.lines, counter.bytes, ms / rounds, wireMs / rounds, ms / wireMs);
      ok = true;
    }
  }
  std::filesystem::remove_all(folder);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
  return Measure(baud, rounds > 0 ? rounds : 1) ? 0 : 1;
}
