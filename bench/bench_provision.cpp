// `vistrelctl provision` of eight simulated cameras at once against one camera alone, each
// camera a vistrel-sim emulating the wire at 115200 baud and the file an All Data file saved
// from one of them; and the memory a camera adds to a run (the largest resident size of the
// eight-camera run less that of the one-camera run, over seven). The runs alternate.
// Usage: [rounds] (3) [cameras] (8).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/SimProgram.h"
#include "support/TestEnvironment.h"

namespace {

using Clock = std::chrono::steady_clock;

struct RunFigures {
  int status = 0;
  double ms = 0;
  long maxRssKb = 0;
};

// vistrelctl with `args` as a program of its own (output dropped), timed from start to exit,
// with its own largest resident size.
RunFigures RunCtl(const std::vector<std::string>& args) {
  RunFigures figures;
  std::vector<std::string> all{VISTRELCTL_PROGRAM};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = -1;
  if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    figures.status = -1;
    return figures;
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  figures.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  figures.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  figures.maxRssKb = usage.ru_maxrss;
  return figures;
}

std::vector<std::string> ProvisionArgs(const std::vector<std::string>& devices,
                                       const std::string& file) {
  std::vector<std::string> args{"--baud", "115200", "--user"};
  for (const std::string& device : devices)
    args.insert(args.end(), {"--device", device});
  args.insert(args.end(), {"provision", file, "--area", "1"});
  return args;
}

double Median(std::vector<double> values) {
  std::ranges::sort(values);
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const size_t cameras = argc > 2 ? static_cast<size_t>(std::max(2, std::atoi(argv[2]))) : 8;
  vistrel::test::TempFolder folder;
  vistrel::test::ScopedEnv config("VISTREL_CONFIG_DIR", folder.Path());
  std::vector<std::unique_ptr<vistrel::test::SimProgram>> sims;
  std::vector<std::string> devices;
  for (size_t i = 0; i < cameras; ++i) {
    sims.push_back(
        std::make_unique<vistrel::test::SimProgram>(std::vector<std::string>{"--baud", "115200"}));
    devices.push_back(sims.back()->FirstLine());
  }
  const std::string file = folder.File("golden.cam");
  if (RunCtl({"--device", devices[0], "--baud", "115200", "--user", "save", file}).status != 0) {
    std::fprintf(stderr, "could not save the setting file to provision\n");
    return 1;
  }
  std::ifstream saved(file);
  const long lines = std::count(std::istreambuf_iterator<char>(saved), {}, '\n');
  std::printf("setting file of %ld lines; %zu cameras at 115200 baud\n", lines, cameras);
  std::vector<double> one, all;
  long oneRss = 0, allRss = 0;
  for (int round = 0; round < rounds; ++round) {
    const RunFigures alone = RunCtl(ProvisionArgs({devices[0]}, file));
    oneRss = std::max(oneRss, alone.maxRssKb);
    const RunFigures together = RunCtl(ProvisionArgs(devices, file));
    allRss = std::max(allRss, together.maxRssKb);
    if (alone.status != 0 || together.status != 0) {
      std::fprintf(stderr, "a provision failed: exit %d alone, %d together\n", alone.status,
                   together.status);
      return 1;
    }
    one.push_back(alone.ms);
    all.push_back(together.ms);
    std::printf("round %d: one camera %.0f ms, %zu cameras %.0f ms\n", round + 1, alone.ms, cameras,
                together.ms);
  }
  const double ratio = Median(all) / Median(one);
  std::printf(
      "provision, median of %d: one camera %.0f ms, %zu cameras at once %.0f ms: "
      "%.2f times (target 1.5)\n",
      rounds, Median(one), cameras, Median(all), ratio);
  std::printf(
      "largest resident size: one camera %ld KiB, %zu cameras %ld KiB: %.0f KiB a "
      "camera\n",
      oneRss, cameras, allRss, double(allRss - oneRss) / double(cameras - 1));
  return ratio <= 1.5 ? 0 : 2;
}
