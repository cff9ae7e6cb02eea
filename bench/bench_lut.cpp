// The LUT tables: reading all three through the COM port channel against vistrel-sim emulating
// the wire, compared with the wire time of its 192 lines (10 bits a byte); and the time of
// deriving one table from a curve of 16 points. Usage: [baud] (115200).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "camera/LutCurve.h"
#include "camera/LutTransfer.h"
#include "camera/ReadAll.h"
#include "support/SimProgram.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

using vistrel::bench::ByteCounter;
using vistrel::bench::WireMs;

bool MeasureRead(int baud) {
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud)});
  const std::string device = sim.FirstLine();
  const vistrel::bench::TempFolder folder;
  if (device.empty() || !folder.Made())
    return false;
  vistrel::bench::Link link(folder.Path());
  if (!link.Connect(device, baud))
    return false;
  constexpr int kRuns = 5;
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    link.counter = ByteCounter{};
    vistrel::LutTableSet tables{};
    const auto start = Clock::now();
    const vistrel::LutReadAll read = vistrel::ReadAllLutTables(link.session, tables);
    const double ms = MsSince(start);
    if (read.outcome != vistrel::Outcome::Done)
      return false;
    best = std::min(best, ms);
  }
  const ByteCounter& counter = link.counter;
  const double wireMs = WireMs(counter.bytes, baud);
  const double replyMs = WireMs(counter.replyBytes, baud);
  std::printf(
      "%d baud: three tables, %d lines, %zu bytes; best of %d %.1f ms; wire time of "
      "all lines %.1f ms (ratio %.2f), of the replies alone %.1f ms (ratio %.2f)\n",
      baud, counter.lines, counter.bytes, kRuns, best, wireMs, best / wireMs, replyMs,
      best / replyMs);
  return true;
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
