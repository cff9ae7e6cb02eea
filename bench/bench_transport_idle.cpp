// CPU time of an open COM port that receives nothing: the receive thread and a reader that
// waits in 10 ms reads, as the command engine's idle polling does. Usage: [seconds] (10).
#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/Interfaces.h"
#include "transport/CRs232c.h"

namespace {

class SilentPresenter : public vistrel::IMessagePresenter {
 public:
  void ShowMessage(const std::string& text, const std::string&, vistrel::MessageIcon) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

double CpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
    return 1;
  SilentPresenter messages;
  vistrel::CRs232c port(messages);
  if (!port.Open(::ptsname(master), "COM1", 115200, 8, 0, false, false))
    return 1;

  using Clock = std::chrono::steady_clock;
  const double cpuStart = CpuSeconds();
  const auto start = Clock::now();
  const auto end = start + std::chrono::duration<double>(seconds);
  long reads = 0;
  char byte = 0;
  while (Clock::now() < end) {
    port.Read(&byte, 1, 10);
    ++reads;
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = CpuSeconds() - cpuStart;
  std::printf(
      "idle open port, reader polling in 10 ms reads: %.1f s wall, %.2f ms CPU (%.3f %% of a "
      "core), %ld reads\n",
      wall, cpu * 1e3, 100.0 * cpu / wall, reads);

  const double cpuQuiet = CpuSeconds();
  const auto quietStart = Clock::now();
  ::usleep(useconds_t(seconds * 1e6));
  const double quietWall = std::chrono::duration<double>(Clock::now() - quietStart).count();
  const double quietCpu = CpuSeconds() - cpuQuiet;
  std::printf("idle open port, no reader: %.1f s wall, %.3f ms CPU (%.4f %% of a core)\n",
              quietWall, quietCpu * 1e3, 100.0 * quietCpu / quietWall);
  port.Close();
  ::close(master);
  return 0;
}
