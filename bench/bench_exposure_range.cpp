// The slowest parameter handler: a tap geometry change with the exposure range refresh after
// it (the setting and its read-back, HB?, VB?, AR?, PE?, CLCFG?, the list rebuild), through the
// COM port channel against vistrel-sim emulating the wire, compared with the wire time of the
// lines it sends and receives (10 bits a byte). Usage: [baud] [rounds] (115200 20).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "core/ControlIds.h"
#include "params/CameraLinkCombos.h"
#include "params/Handlers.h"
#include "support/SimProgram.h"
#include "support/TestPanel.h"

namespace {

using Clock = std::chrono::steady_clock;

using vistrel::bench::ByteCounter;

bool Measure(int baud, int rounds) {
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud)});
  const std::string device = sim.FirstLine();
  const vistrel::bench::TempFolder folder;
  if (device.empty() || !folder.Made())
    return false;
  vistrel::bench::Link link(folder.Path());
  vistrel::test::TestPanel panel;
  vistrel::HandlerContext context{link.table, link.engine, panel, link.session};
  if (!link.Connect(device, baud))
    return false;
  link.table.MarkAllSent();  // as after a read: only the change goes out
  vistrel::CameraLinkCombos::Rebuild(panel, link.session.Link());
  link.counter = ByteCounter{};
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    panel.Pick(vistrel::ctl::TAGM, i % 2 == 0 ? 0 : 2);  // 1X2_1Y, 1X4_1Y
    vistrel::Handlers::OnParameterSelect(context, vistrel::ctl::TAGM);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const ByteCounter& counter = link.counter;
  const double wireMs = vistrel::bench::WireMs(counter.bytes, baud);
  std::printf(
      "%7d baud: %d tap geometry changes, %d lines, %zu bytes; %.1f ms each; wire "
      "time %.1f ms each (ratio %.2f)\n",
      baud, rounds, counter.lines, counter.bytes, ms / rounds, wireMs / rounds, ms / wireMs);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
  return Measure(baud, rounds > 0 ? rounds : 1) ? 0 : 1;
}
