// The LUT tables: reading all three through the COM port channel against vistrel-sim emulating
// the wire, compared with the wire time of its 192 lines (10 bits a byte); and the time of
// deriving one table from a curve of 16 points. Usage: [baud] (115200).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/BenchSupport.h"
#include "camera/CameraSession.h"
#include "camera/LutCurve.h"
#include "camera/LutTransfer.h"
#include "camera/ReadAll.h"
#include "support/SimProgram.h"
#include "transport/CCommunication.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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

bool MeasureRead(int baud) {
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
    if (channel.OpenDevice(device, static_cast<uint32_t>(baud)) &&
        vistrel::CheckModel(engine, messages, session.model)) {
      constexpr int kRuns = 5;
      double best = 1e9;
      for (int run = 0; run < kRuns; ++run) {
        counter = ByteCounter{};
        vistrel::LutTableSet tables{};
        const auto start = Clock::now();
        const vistrel::LutReadAll read = vistrel::ReadAllLutTables(session, tables);
        const double ms = MsSince(start);
        if (read.outcome != vistrel::Outcome::Done)
          return false;
        best = std::min(best, ms);
      }
      const double wireMs = double(counter.bytes) * 10.0 * 1000.0 / baud;
      const double replyMs = double(counter.replyBytes) * 10.0 * 1000.0 / baud;
      std::printf(
          "%d baud: three tables, %d lines, %zu bytes; best of %d %.1f ms; wire time of "
          "all lines %.1f ms (ratio %.2f), of the replies alone %.1f ms (ratio %.2f)\n",
          baud, counter.lines, counter.bytes, kRuns, best, wireMs, best / wireMs, replyMs,
          best / replyMs);
      ok = true;
    }
  }
  std::filesystem::remove_all(folder);
  return ok;
}

void MeasureCurve() {
  vistrel::LutCurve curve;
  for (int j = 0; j < vistrel::kLutEntries; ++j)
    curve.Values()[static_cast<size_t>(j)] = static_cast<uint32_t>(j * j * 4);
  curve.ConvertEditable(16);
  constexpr int kRuns = 200;
  const auto start = Clock::now();
  for (int run = 0; run < kRuns; ++run)
    curve.ComputeTableFromCurve();
  std::printf("ComputeTableFromCurve with %d points: %.3f ms each (mean of %d)\n",
              curve.PointCount(), MsSince(start) / kRuns, kRuns);
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  MeasureCurve();
  if (!MeasureRead(baud)) {
    std::fprintf(stderr, "reading the LUT tables at %d baud failed\n", baud);
    return 1;
  }
  return 0;
}
