// The simulated camera's answer times: in process, over a pseudo-terminal, and with the wire
// emulated at a given baud rate (where the reply should take 10/N seconds per byte).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "sim/PtyServer.h"
#include "sim/SimCamera.h"
#include "sim/SimPeer.h"

namespace {

using vistrel::SimCamera;
using vistrel::SimClock;

void BM_InProcessQuery(benchmark::State& state) {
  SimCamera camera;
  for (auto _ : state)
    benchmark::DoNotOptimize(camera.Receive("TI?\r\n", SimClock::now()));
}
BENCHMARK(BM_InProcessQuery);

void BM_InProcessSetting(benchmark::State& state) {
  SimCamera camera;
  for (auto _ : state)
    benchmark::DoNotOptimize(camera.Receive("PE=12345\r\n", SimClock::now()));
}
BENCHMARK(BM_InProcessSetting);

void BM_InProcessSequencerEntry(benchmark::State& state) {
  SimCamera camera;
  for (auto _ : state)
    benchmark::DoNotOptimize(camera.Receive("SQW77=1024\r\n", SimClock::now()));
}
BENCHMARK(BM_InProcessSequencerEntry);

void BM_SharedPeerQuery(benchmark::State& state) {
  vistrel::SimPeer peer;
  for (auto _ : state)
    benchmark::DoNotOptimize(peer.Exchange("MD?\r\n"));
}
BENCHMARK(BM_SharedPeerQuery);

int OpenRaw(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  ::tcgetattr(fd, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(fd, TCSANOW, &tio);
  return fd;
}

// Writes one line to the slave and reads until the reply's LF; false on a timeout.
bool RoundTrip(int fd, const std::string& line) {
  if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
    return false;
  char buffer[64];
  for (;;) {
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, 2000) <= 0)
      return false;
    const ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n <= 0)
      return false;
    if (buffer[n - 1] == '\n')
      return true;
  }
}

// A query over the pseudo-terminal; range(0) is the emulated baud rate, 0 for none.
void BM_PtyQuery(benchmark::State& state) {
  vistrel::PtyServerOptions options;
  options.baud = static_cast<int>(state.range(0));
  vistrel::PtyServer server(std::make_shared<vistrel::SimPeer>(), options);
  if (!server.Start()) {
    state.SkipWithError("cannot start the pseudo-terminal server");
    return;
  }
  const int fd = OpenRaw(server.SlavePath());
  const std::string query = "MD?\r\n";  // answered by MD=QX-70500C-VLNK CR LF, 19 bytes
  const double replyBytes = 19;
  std::chrono::duration<double> total{0};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!RoundTrip(fd, query)) {
      state.SkipWithError("no reply");
      break;
    }
    total += std::chrono::steady_clock::now() - start;
  }
  ::close(fd);
  if (options.baud > 0 && state.iterations() > 0) {
    const double wireSeconds = replyBytes * 10.0 / options.baud;
    const double perQuery = total.count() / static_cast<double>(state.iterations());
    state.counters["wire_ms"] = wireSeconds * 1e3;
    state.counters["measured_per_wire"] = perQuery / wireSeconds;
  }
}
BENCHMARK(BM_PtyQuery)->Arg(0)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PtyQuery)
    ->Arg(9600)
    ->Arg(38400)
    ->Arg(115200)
    ->UseRealTime()
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
