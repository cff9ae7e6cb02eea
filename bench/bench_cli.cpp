// vistrelctl on a production line: `dump` against a camera that does not answer, and `diff`
// of a saved All Data file against vistrel-sim emulating the wire at 115200 baud, compared
// with the wire time of the read-all of the same camera (every line sent and received, 10
// bits a byte). Usage: [baud] (115200).
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/SimProgram.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs vistrelctl; returns its status and the time it took in ms.
int Run(std::vector<std::string> args, double& ms, std::string* out = nullptr) {
  args.insert(args.begin(), "vistrelctl");
  std::vector<const char*> argv;
  for (const std::string& a : args)
    argv.push_back(a.c_str());
  std::ostringstream o, e;
  const auto start = Clock::now();
  const int status = vistrel::RunCli(static_cast<int>(argv.size()), argv.data(), o, e);
  ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (out)
    *out = o.str() + e.str();
  return status;
}

// The bytes on the wire of a logged run: each "Tx: " / "Rx: " line with its CR LF (only the
// "Rx: " lines with `repliesOnly`).
size_t WireBytes(const std::string& log, bool repliesOnly = false) {
  std::istringstream in(log);
  std::string line;
  size_t bytes = 0;
  while (std::getline(in, line)) {
    const size_t at = line.find("x: ");
    if (at != std::string::npos && at > 0 &&
        ((line[at - 1] == 'T' && !repliesOnly) || line[at - 1] == 'R'))
      bytes += line.size() - at - 3 + 2;
  }
  return bytes;
}

bool MeasureSilentDump() {
  vistrel::test::SimProgram sim({"--no-reply"});
  double ms = 0;
  const int status = Run({"--device", sim.FirstLine(), "dump"}, ms);
  std::printf("dump, silent camera: exit %d after %.0f ms\n", status, ms);
  return status == vistrel::kExitTimeout;
}

bool MeasureDiff(int baud, const std::string& folder) {
  vistrel::test::SimProgram sim({"--baud", std::to_string(baud)});
  const std::vector<std::string> channel = {"--device", sim.FirstLine(), "--baud",
                                            std::to_string(baud), "--factory"};
  auto with = [&channel](std::vector<std::string> args) {
    args.insert(args.begin(), channel.begin(), channel.end());
    return args;
  };
  const std::string file = folder + "/golden.cam";
  double saveMs = 0, dumpMs = 0, diffMs = 0;
  std::string log;
  if (Run(with({"save", file}), saveMs) != 0 || Run(with({"--log", "dump"}), dumpMs, &log) != 0)
    return false;
  // The dump's log holds the model check and read-all of the same camera.
  const double wireMs = double(WireBytes(log)) * 10.0 * 1000.0 / baud;
  const double replyMs = double(WireBytes(log, true)) * 10.0 * 1000.0 / baud;
  const int status = Run(with({"diff", file}), diffMs);
  std::printf(
      "diff of an All Data file at %d baud: exit %d after %.0f ms; wire time of the read-all "
      "%.0f ms (ratio %.2f), of its replies alone %.0f ms (ratio %.2f); dump %.0f ms\n",
      baud, status, diffMs, wireMs, diffMs / wireMs, replyMs, diffMs / replyMs, dumpMs);
  return status == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data()))
    return 1;
  ::setenv("VISTREL_CONFIG_DIR", folder.c_str(), 1);
  const bool ok = MeasureSilentDump() && MeasureDiff(baud, folder);
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
