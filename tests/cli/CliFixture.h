#pragma once

// The fixture of the vistrelctl tests: a simulated camera in its own process on a
// pseudo-terminal, the command line run in this process.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/SimProgram.h"
#include "support/TestEnvironment.h"

namespace vistrel {

class CliTest : public ::testing::Test {
 protected:
  // Starts vistrel-sim with `args` and remembers its device.
  void StartCamera(std::vector<std::string> args = {}) {
    sim_ = std::make_unique<test::SimProgram>(args);
    device_ = sim_->FirstLine();
    ASSERT_TRUE(device_.starts_with("/dev/")) << device_;
  }

  // Runs vistrelctl on the camera with `args`; returns the exit status.
  int Run(std::vector<std::string> args, bool onCamera = true) {
    std::vector<std::string> all{"vistrelctl"};
    if (onCamera)
      all.insert(all.end(), {"--device", device_, "--baud", "115200"});
    all.insert(all.end(), args.begin(), args.end());
    std::vector<const char*> argv;
    for (const std::string& a : all)
      argv.push_back(a.c_str());
    out_.str("");
    err_.str("");
    return RunCli(static_cast<int>(argv.size()), argv.data(), out_, err_);
  }

  // Runs `args`, which must succeed; what it printed.
  std::string Printed(std::vector<std::string> args, bool onCamera = true) {
    EXPECT_EQ(Run(std::move(args), onCamera), kExitOk) << err_.str();
    return out_.str();
  }

  std::string PathOf(const std::string& name) const { return temp_.File(name); }
  // Whether stderr or stdout holds `text`; the failure message shows the whole stream.
  ::testing::AssertionResult ErrHas(const std::string& text) const { return Has(err_, text); }
  ::testing::AssertionResult OutHas(const std::string& text) const { return Has(out_, text); }
  static ::testing::AssertionResult Has(const std::ostringstream& stream, const std::string& text) {
    const std::string all = stream.str();
    auto result = all.find(text) != std::string::npos ? ::testing::AssertionSuccess()
                                                      : ::testing::AssertionFailure();
    return result << "\"" << text << "\" in:\n" << all;
  }
  // Writes `contents` to the file `name` of the test's folder; its path.
  std::string Write(const std::string& name, const std::string& contents) {
    std::ofstream(PathOf(name), std::ios::binary) << contents;
    return PathOf(name);
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Runs `args` with --log; the lines sent after the model check every command starts with.
  std::vector<std::string> Sent(int& status, std::vector<std::string> args) {
    args.insert(args.begin(), "--log");
    status = Run(std::move(args));
    std::vector<std::string> lines = SentLines(err_.str());
    if (!lines.empty() && lines.front() == "MD?")
      lines.erase(lines.begin());
    return lines;
  }

  // The lines sent to the camera, in order, from the "Tx: " lines of a --log trace.
  static std::vector<std::string> SentLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
      if (const size_t tx = line.find("Tx: "); tx != std::string::npos)
        lines.push_back(line.substr(tx + 4));
    }
    return lines;
  }

  test::TempFolder temp_;
  test::ScopedEnv configDir_{"VISTREL_CONFIG_DIR", temp_.Path()};
  std::unique_ptr<test::SimProgram> sim_;
  std::string device_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace vistrel
