// One query and its reply over a pseudo-terminal, through the channel object and the command
// engine, against vistrel-sim emulating the wire at 115200 baud; compared with the wire time
// of the two lines (10 bits a byte). Usage: [exchanges] (200).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Command.h"
#include "core/CommandTable.h"
#include "transport/CCommunication.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class PrintingPresenter : public vistrel::IMessagePresenter {
 public:
  void ShowMessage(const std::string& text, const std::string&, vistrel::MessageIcon) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

// vistrel-sim as a child process; its first output line is the slave device.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    int out[2];
    if (::pipe(out) != 0)
      return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    args.insert(args.begin(), VISTREL_SIM_PROGRAM);
    for (std::string& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, VISTREL_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
      slave_ += c;
    ::close(out[0]);
  }
  ~SimProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& Slave() const { return slave_; }

 private:
  pid_t pid_ = -1;
  std::string slave_;
};

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
    PrintingPresenter messages;
    vistrel::NullTrafficSink traffic;
    vistrel::StoredSettings store(folder);
    vistrel::CCommunication channel(store, messages, traffic);
    channel.SetWriteBack(false);
    vistrel::Command engine(channel, messages);
    if (!channel.OpenDevice(device, 115200))
      return false;
    const int md = vistrel::CommandTable::FindByName("MD");
    engine.GetText(md, reply, 1000);  // warm-up
    for (int i = 0; i < exchanges && ok; ++i) {
      const auto start = Clock::now();
      ok = engine.GetText(md, reply, 1000);
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
    SimProcess sim(wire ? std::vector<std::string>{"--baud", "115200"}
                        : std::vector<std::string>{});
    if (sim.Slave().empty()) {
      std::fprintf(stderr, "vistrel-sim did not start\n");
      return 1;
    }
    Figures figures{};
    std::string model;
    if (!Measure(sim.Slave(), exchanges, figures, model)) {
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
