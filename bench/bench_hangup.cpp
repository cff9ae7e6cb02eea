// How long a reload takes to give up when the camera hangs up or falls silent in the middle
// of it: the simulated camera answers `good` lines (default 50), then meets the fault on the
// next one (hang-up, or no-reply: it answers nothing more, the line stays up). Prints the
// time from the fault to the end of the pass, and the time of the whole pass. Usage:
// [good lines] [baud] [hang-up|no-reply] (50 115200 hang-up).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/BenchSupport.h"
#include "camera/CameraSession.h"
#include "camera/ReadAll.h"
#include "support/SimProgram.h"
#include "transport/CCommunication.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the line that meets the hang-up goes out.
class HangUpClock : public vistrel::ITrafficSink {
 public:
  explicit HangUpClock(int goodLines) : goodLines_(goodLines) {}
  void AppendLine(const std::string& line) override {
    if (line.starts_with("Tx: ") && ++sent_ == goodLines_ + 1)
      hangUp = Clock::now();
  }
  Clock::time_point hangUp{};

 private:
  int goodLines_;
  int sent_ = 0;
};

bool Measure(int goodLines, int baud, const std::string& fault) {
  vistrel::test::SimProgram sim(
      {"--baud", std::to_string(baud), "--" + fault, "--fault-after", std::to_string(goodLines)});
  const std::string device = sim.FirstLine();
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (device.empty() || !::mkdtemp(folder.data()))
    return false;
  vistrel::bench::PrintingPresenter messages;
  HangUpClock clock(goodLines);
  bool ok = false;
  {
    vistrel::StoredSettings store(folder);
    vistrel::CCommunication channel(store, messages, clock);
    channel.SetWriteBack(false);
    vistrel::Command engine(channel, messages);
    vistrel::ParameterTable table(messages);
    vistrel::CameraSession session(engine, table, messages);
    session.SetFactoryMode(true);
    if (channel.OpenDevice(device, static_cast<uint32_t>(baud))) {
      const auto start = Clock::now();
      const vistrel::ReadAllResult result = vistrel::Reload(session);
      const auto end = Clock::now();
      auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
      };
      std::printf(
          "%d good lines at %d baud, then %s: %zu rows read, %zu not (%s); the pass ended "
          "%.1f ms after the fault, %.1f ms after its start\n",
          goodLines, baud, fault.c_str(), result.read.size(), result.unread.size(),
          vistrel::OutcomeText(result.outcome), ms(end - clock.hangUp), ms(end - start));
      ok = !result.Complete() && clock.hangUp != Clock::time_point{};
    }
  }
  std::filesystem::remove_all(folder);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const int goodLines = argc > 1 ? std::atoi(argv[1]) : 50;
  const int baud = argc > 2 ? std::atoi(argv[2]) : 115200;
  const std::string fault = argc > 3 ? argv[3] : "hang-up";
  if (fault != "hang-up" && fault != "no-reply") {
    std::fprintf(stderr, "the fault is hang-up or no-reply\n");
    return 2;
  }
  if (!Measure(goodLines, baud, fault)) {
    std::fprintf(stderr, "the fault was not met\n");
    return 1;
  }
  return 0;
}
