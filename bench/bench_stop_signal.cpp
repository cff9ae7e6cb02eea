// How soon vistrelctl stops what it set moving when a signal comes: the time from the signal
// to the stop line on the wire (the "Tx: " trace of --log), for an adjustment between two
// polls, for an adjustment waiting on a status query the camera leaves unanswered, and for
// a lens move. Usage: [trials] (10).
#include <signal.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/SimProgram.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
  const char* name;
  std::vector<std::string> camera;
  std::vector<std::string> command;
  const char* armed;  // the signal goes once this line is on the wire
  const char* stop;
};

// One run: the ms from the signal to the stop line, or a negative number when it never came.
double Trial(const Case& c) {
  vistrel::test::SimProgram sim(c.camera);
  const std::string device = sim.FirstLine();
  std::vector<std::string> args{"--device", device, "--baud", "115200", "--log"};
  args.insert(args.end(), c.command.begin(), c.command.end());
  vistrel::test::SimProgram ctl(args, VISTRELCTL_PROGRAM);
  if (ctl.ErrorsThrough(std::string("Tx: ") + c.armed).find(c.armed) == std::string::npos)
    return -1;
  const auto sent = Clock::now();
  ctl.Signal(SIGTERM);
  const std::string rest = ctl.ErrorsThrough(std::string("Tx: ") + c.stop);
  const auto stopped = Clock::now();
  ctl.Finish();
  if (rest.find(std::string("Tx: ") + c.stop) == std::string::npos)
    return -1;
  return std::chrono::duration<double, std::milli>(stopped - sent).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int trials = argc > 1 ? std::atoi(argv[1]) : 10;
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data()))
    return 1;
  ::setenv("VISTREL_CONFIG_DIR", folder.c_str(), 1);
  const Case cases[] = {
      {"adjust, between polls", {"--adjust-ms", "60000"}, {"adjust", "exposure"}, "ASC=2", "ASC=0"},
      {"adjust, status unanswered",
       {"--no-reply", "--fault-on", "ATCS"},
       {"adjust", "exposure", "--interval-ms", "10"},
       "ATCS?",
       "ASC=0"},
      {"lens move", {}, {"lens", "zoom", "tele", "--ms", "30000"}, "MLZ=2", "MLZ=0"},
  };
  bool ok = true;
  for (const Case& c : cases) {
    std::vector<double> ms;
    for (int i = 0; i < trials; ++i)
      ms.push_back(Trial(c));
    std::sort(ms.begin(), ms.end());
    ok = ok && !ms.empty() && ms.front() >= 0;
    std::printf("%-28s signal to stop line: median %.1f ms, max %.1f ms (%d trials)\n", c.name,
                ms[ms.size() / 2], ms.back(), trials);
  }
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
