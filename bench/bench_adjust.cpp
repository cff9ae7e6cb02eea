// Two measurements over the COM port channel against vistrel-sim emulating the wire:
// - a sequencer entry written and read back (24 lines for a QX model, 36 for an RL model,
//   whose entries have per-colour fields) as a ratio to the wire time of the lines sent and
//   received (10 bits a byte);
// - the program's CPU while a one-shot adjustment polls once a second, over the whole run
//   and within the waits between polls, with the plain sleeping wait (vistrelctl) and with
//   the desktop's progress window (offscreen).
// Usage: [baud] (115200).
#include <stdlib.h>
#include <sys/resource.h>

#include <QtWidgets/QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "camera/AutoAdjust.h"
#include "camera/EntryTables.h"
#include "core/ControlIds.h"
#include "support/SimProgram.h"
#include "ui/AdjustProgressDialog.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepeats = 15;
constexpr int kEntry = 7;

using vistrel::bench::ByteCounter;
using vistrel::bench::Link;
using vistrel::bench::WireMs;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Adds up the CPU and wall time spent inside the waits of another watch.
class MeasuredWatch : public vistrel::IAdjustWatch {
 public:
  explicit MeasuredWatch(vistrel::IAdjustWatch& inner) : inner_(inner) {}
  void Started(const std::string& title) override { inner_.Started(title); }
  bool Wait(int ms) override {
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    const bool going = inner_.Wait(ms);
    waitCpu += CpuSeconds() - cpu;
    waitWall += std::chrono::duration<double>(Clock::now() - start).count();
    return going;
  }
  void Polled(int elapsedMs, std::optional<int32_t> status) override {
    inner_.Polled(elapsedMs, status);
  }
  void Finished() override { inner_.Finished(); }
  double waitCpu = 0;
  double waitWall = 0;

 private:
  vistrel::IAdjustWatch& inner_;
};

bool MeasureSequencer(Link& link, int baud, vistrel::Model kind) {
  std::vector<double> ratios;
  std::vector<double> replyRatios;
  std::vector<double> times;
  vistrel::CameraModel model;
  model.code = vistrel::CodeOf(kind);
  // In the order of the fields: binning 2 both ways, the region, gains and exposures.
  constexpr int32_t kEntryValues[] = {2,    8,    2,    2,    512, 384, 32,  16, 200,
                                      5000, 5000, 5000, 5000, 100, 100, 100, 0,  10};
  vistrel::SequencerValues values;
  std::copy(std::begin(kEntryValues), std::end(kEntryValues), values.begin());
  const size_t width = vistrel::SequencerFieldIndex(vistrel::ctl::SQW);
  std::vector<const vistrel::SequencerField*> failed;
  for (int i = 0; i < kRepeats; ++i) {
    link.counter = ByteCounter{};
    const auto start = Clock::now();
    vistrel::SequencerValues read;
    if (vistrel::WriteSequencerEntry(link.engine, model, kEntry, values, failed) !=
            vistrel::Outcome::Done ||
        vistrel::ReadSequencerEntry(link.engine, model, kEntry, read) != vistrel::Outcome::Done)
      return false;
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double wireMs = WireMs(link.counter.bytes, baud);
    times.push_back(ms);
    ratios.push_back(ms / wireMs);
    replyRatios.push_back(ms / WireMs(link.counter.replyBytes, baud));
    values[width] = values[width] == 512 ? 1024 : 512;
  }
  std::sort(ratios.begin(), ratios.end());
  std::sort(times.begin(), times.end());
  std::sort(replyRatios.begin(), replyRatios.end());
  std::printf(
      "sequencer entry of %s written + read back at %d baud: %d lines, %zu bytes; "
      "median %.1f ms, "
      "ratio to the wire time of the lines both ways median %.2f (best %.2f, worst %.2f), of "
      "the replies alone median %.2f (worst %.2f)\n",
      vistrel::RecordOf(kind).name, baud, link.counter.lines, link.counter.bytes,
      times[kRepeats / 2], ratios[kRepeats / 2], ratios.front(), ratios.back(),
      replyRatios[kRepeats / 2], replyRatios.back());
  return true;
}

bool MeasureRun(Link& link, vistrel::IAdjustWatch& watch, const char* name) {
  MeasuredWatch measured(watch);
  const double cpu = CpuSeconds();
  const auto start = Clock::now();
  const vistrel::AutoRunResult result =
      vistrel::RunAutoOnce(link.engine, vistrel::AutoKind::Exposure, {}, measured);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double used = CpuSeconds() - cpu;
  if (!result.Succeeded())
    return false;
  std::printf(
      "one-shot run, %s: %d polls in %.1f s; CPU %.3f %% of a core over the run, "
      "%.3f %% within the waits between polls\n",
      name, result.polls, wall, 100.0 * used / wall, 100.0 * measured.waitCpu / measured.waitWall);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud), "--adjust-ms", "6000"});
  const std::string device = sim.FirstLine();
  const vistrel::bench::TempFolder folder;
  if (device.empty() || !folder.Made())
    return 1;
  bool ok = false;
  {
    Link link(folder.Path());
    if (link.channel.OpenDevice(device, static_cast<uint32_t>(baud))) {
      vistrel::SleepingWatch sleeping(link.engine);
      vistrel::CAdjustProgressDialog dialog;
      ok = MeasureSequencer(link, baud, vistrel::Model::Qx70500C) &&
           MeasureSequencer(link, baud, vistrel::Model::Rl4100T) &&
           MeasureRun(link, sleeping, "sleeping wait") &&
           MeasureRun(link, dialog, "progress window");
    }
  }
  if (!ok)
    std::fprintf(stderr, "the measurement failed\n");
  return ok ? 0 : 1;
}
