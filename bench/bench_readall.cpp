// The read-all pass for the colour QX model in factory control mode, through the COM port
// channel against vistrel-sim emulating the wire, compared with the wire time of every line
// it sends and receives (10 bits a byte). Usage: [baud...] (115200 9600).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "camera/ReadAll.h"
#include "core/ReplyFields.h"
#include "support/SimProgram.h"

namespace {

using Clock = std::chrono::steady_clock;

using vistrel::bench::ByteCounter;
using vistrel::bench::WireMs;

bool Measure(int baud) {
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud)});
  const std::string device = sim.FirstLine();
  const vistrel::bench::TempFolder folder;
  if (device.empty() || !folder.Made())
    return false;
  vistrel::bench::Link link(folder.Path());
  link.session.SetFactoryMode(true);
  if (!link.Connect(device, baud))
    return false;
  link.counter = ByteCounter{};
  const auto start = Clock::now();
  const size_t read = vistrel::ReadAll(link.session).read.size();
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const ByteCounter& counter = link.counter;
  const double wireMs = WireMs(counter.bytes, baud);
  const double replyMs = WireMs(counter.replyBytes, baud);
  std::printf(
      "%7d baud: %zu rows read, %d lines, %zu bytes; %.1f ms; wire time of all lines %.1f ms "
      "(ratio %.2f), of the replies alone %.1f ms (ratio %.2f)\n",
      baud, read, counter.lines, counter.bytes, ms, wireMs, ms / wireMs, replyMs, ms / replyMs);
  return true;
}

// What judging the replies costs on its own: the parse of a reply line, strict number check
// included, against the wire time of a pass.
void MeasureReplyParsing() {
  constexpr int kRounds = 200000;
  const char* replies[] = {"PE=10000", "TI = &h1F", "PGEN0=12,34", "FGA=-5", "MD=QX-70500C-VLNK"};
  size_t taken = 0;
  const auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    for (const char* reply : replies) {
      vistrel::ReplyFields fields;
      taken += vistrel::ParseReply(reply, fields) && !fields.garbled ? 1 : 0;
    }
  }
  const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                    (static_cast<double>(kRounds) * std::size(replies));
  std::printf("reply parsing: %.0f ns a reply (%zu taken)\n", ns, taken);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> rates;
  for (int i = 1; i < argc; ++i)
    rates.push_back(std::atoi(argv[i]));
  if (rates.empty())
    rates = {115200, 9600};
  MeasureReplyParsing();
  for (int baud : rates) {
    if (!Measure(baud)) {
      std::fprintf(stderr, "read-all at %d baud failed\n", baud);
      return 1;
    }
  }
  return 0;
}
