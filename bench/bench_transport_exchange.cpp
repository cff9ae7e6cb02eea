// One query and its reply over a pseudo-terminal, through the channel object and the command
// engine, against vistrel-sim emulating the wire at 115200 baud; compared with the wire time
// of the two lines (10 bits a byte). Usage: [exchanges] (200).
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "core/Command.h"
#include "core/CommandTable.h"
#include "support/SimProgram.h"
#include "transport/CCommunication.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double medianMs, meanMs, p95Ms;
};

bool Measure(const std::string& device, int exchanges, Figures& figures, std::string& reply) {
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data()))
    return false;
  bool ok = true;
  std::vector<double> times;
  {
    vistrel::bench::PrintingPresenter messages;
    vistrel::NullTrafficSink traffic;
    vistrel::StoredSettings store(folder);
    vistrel::CCommunication channel(store, messages, traffic);
    channel.SetWriteBack(false);
    vistrel::Command engine(channel, messages);
    if (!channel.OpenDevice(device, 115200))
      return false;
    const int md = vistrel::CommandTable::FindByName("MD");
    (void)engine.GetText(md, reply, 1000);  // warm-up
    for (int i = 0; i < exchanges && ok; ++i) {
      const auto start = Clock::now();
      ok = engine.GetText(md, reply, 1000) == vistrel::Outcome::Done;
      times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
  }
  std::filesystem::remove_all(folder);
  if (!ok || times.empty())
    return false;
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times)
    sum += t;
  figures = {times[times.size() / 2], sum / double(times.size()),
             times[std::min(times.size() - 1, times.size() * 95 / 100)]};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int exchanges = argc > 1 ? std::atoi(argv[1]) : 200;
  const std::string query = "MD?\r\n";
  for (bool wire : {true, false}) {
    vistrel::test::SimProgram sim(wire ? std::vector<std::string>{"--baud", "115200"}
                                       : std::vector<std::string>{});
    const std::string slave = sim.FirstLine();
    if (slave.empty()) {
      std::fprintf(stderr, "vistrel-sim did not start\n");
      return 1;
    }
    Figures figures{};
    std::string model;
    if (!Measure(slave, exchanges, figures, model)) {
      std::fprintf(stderr, "exchange failed\n");
      return 1;
    }
    const size_t replyBytes = std::string("MD=").size() + model.size() + 2;
    const double wireMs = double(query.size() + replyBytes) * 10.0 / 115200.0 * 1e3;
    const double replyWireMs = double(replyBytes) * 10.0 / 115200.0 * 1e3;
    std::printf(
        "%s: %d exchanges of MD? (%zu + %zu bytes): median %.3f ms, mean %.3f ms, p95 %.3f ms\n"
        "  wire time at 115200 baud: both lines %.3f ms (median / wire = %.2f), the reply "
        "alone %.3f ms (median / reply wire = %.2f; the query crosses the pseudo-terminal at "
        "once)\n",
        wire ? "vistrel-sim --baud 115200" : "vistrel-sim without wire emulation", exchanges,
        query.size(), replyBytes, figures.medianMs, figures.meanMs, figures.p95Ms, wireMs,
        figures.medianMs / wireMs, replyWireMs, figures.medianMs / replyWireMs);
  }
  return 0;
}
