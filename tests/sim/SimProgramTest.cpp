// vistrel-sim as a program: options, the first line of output, serving and cleaning up.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/PtyTestSupport.h"
#include "tests/sim/SimTestSupport.h"

extern char** environ;

namespace vistrel::test {
namespace {

// vistrel-sim run with the given arguments, its standard output and error on pipes.
class SimProgram {
 public:
  explicit SimProgram(const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
      return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> argv;
    std::string program = VISTREL_SIM_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~SimProgram() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(out_);
    ::close(err_);
  }

  // The first line of standard output, without its line end.
  std::string FirstLine() {
    std::string line;
    char c = 0;
    while (::read(out_, &c, 1) == 1 && c != '\n')
      line.push_back(c);
    return line;
  }
  static std::string ReadAll(int fd) {
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof(buffer))) > 0;)
      text.append(buffer, static_cast<size_t>(n));
    return text;
  }
  std::string Output() { return ReadAll(out_); }
  std::string Errors() { return ReadAll(err_); }
  // Sends the signal (if any) and waits for the exit status.
  int Finish(int signal = 0) {
    if (signal != 0)
      ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

TEST(SimProgramTest, HelpAndUsageErrors) {
  SimProgram help({"--help"});
  const std::string text = help.Output();
  EXPECT_EQ(help.Finish(), 0);
  for (const char* option :
       {"--model", "--link", "--state", "--baud", "--reset-ms", "--no-reply", "--late-ms",
        "--garbage", "--other-reply", "--no-line-end", "--hang-up"})
    EXPECT_NE(text.find(option), std::string::npos) << option;

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--nonsense"},
                                             {"--baud", "0"},
                                             {"--reset-ms", "soon"},
                                             {"--garbage", "--no-reply"},
                                             {"--fault-on", "TI"},
                                             {"extra"}}) {
    SimProgram bad(args);
    const std::string errors = bad.Errors();
    EXPECT_EQ(bad.Finish(), 2) << args[0];
    EXPECT_NE(errors.find("Usage"), std::string::npos) << args[0];
  }
}

TEST(SimProgramTest, ServesUntilTerminatedAndCleansUp) {
  TempFolder folder;
  const std::string link = folder.File("camera");
  SimProgram sim({"--model", "RL-4100T-VLNK", "--link", link, "--reset-ms", "200"});
  const std::string path = sim.FirstLine();
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), path);
  {
    SlaveLine line(link);
    EXPECT_EQ(line.Ask("MD?"), "MD=RL-4100T-VLNK\r\n");
    EXPECT_EQ(line.Ask("CRS00=1"), "COMPLETE\r\n");
    EXPECT_EQ(line.Ask("MD?", 100), "");  // silent while restarting
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(line.Ask("MD?", 2000), "MD=RL-4100T-VLNK\r\n");
  }
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProgramTest, StateSurvivesARestart) {
  TempFolder folder;
  const std::string state = folder.File("camera.state");
  {
    SimProgram sim({"--state", state});
    SlaveLine line(sim.FirstLine());
    EXPECT_EQ(line.Ask("PE=1234"), "COMPLETE\r\n");
    EXPECT_EQ(line.Ask("SA=3"), "COMPLETE\r\n");
    EXPECT_EQ(line.Ask("UD=Bench 1"), "COMPLETE\r\n");
    line.Close();
    EXPECT_EQ(sim.Finish(SIGINT), 0);
  }
  SimProgram sim({"--state", state});
  SlaveLine line(sim.FirstLine());
  EXPECT_EQ(line.Ask("UD?"), "UD=Bench 1\r\n");
  EXPECT_EQ(line.Ask("LD=3"), "COMPLETE\r\n");
  EXPECT_EQ(line.Ask("PE?"), "PE=1234\r\n");
  line.Close();
  EXPECT_EQ(sim.Finish(SIGTERM), 0);
}

}  // namespace
}  // namespace vistrel::test
