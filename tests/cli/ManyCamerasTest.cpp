// vistrelctl over several cameras at once: `provision` as a line engineer runs it, the
// records per camera, the worst status, whole lines only, and the stop signal reaching all.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "cli/CliFixture.h"
#include "sim/SimStateFile.h"

namespace vistrel {
namespace {

constexpr const char* kModel = "QX-70500C-VLNK";
constexpr int kTi = 1234;
constexpr int kFga = 300;

class ManyCamerasTest : public CliTest {
 protected:
  // Starts `count` cameras, each with a state file that gives it the camera id CAM<i>.
  void StartCameras(size_t count, const std::vector<std::vector<std::string>>& faults = {}) {
    for (size_t i = 0; i < count; ++i) {
      const std::string state = PathOf("state" + std::to_string(i));
      SimStoredState stored = SimFreshState(kModel);
      stored.identity.cameraId = "CAM" + std::to_string(i);
      std::string message;
      ASSERT_TRUE(SimSaveState(state, stored, message)) << message;
      std::vector<std::string> args{"--state", state};
      if (i < faults.size())
        args.insert(args.end(), faults[i].begin(), faults[i].end());
      sims_.push_back(std::make_unique<test::SimProgram>(args));
      devices_.push_back(sims_.back()->FirstLine());
      ASSERT_TRUE(devices_.back().starts_with("/dev/")) << devices_.back();
    }
  }

  // vistrelctl with --device for each camera (and `extra` channels) before `args`.
  int RunAll(const std::vector<std::string>& args, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> all{"--baud", "115200"};
    std::vector<std::string> channels = devices_;
    channels.insert(channels.end(), extra.begin(), extra.end());
    for (const std::string& device : channels)
      all.insert(all.end(), {"--device", device});
    all.insert(all.end(), args.begin(), args.end());
    return Run(all, false);
  }

  std::string GoldenFile() {
    const std::string path = PathOf("golden.cam");
    std::ofstream(path) << "MD00=" << kModel << "\nTI=" << kTi << "\nFGA=" << kFga << "\n";
    return path;
  }

  // The lines of `text` that start with `device`'s prefix, without it.
  static std::vector<std::string> LinesOf(const std::string& text, const std::string& device) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(device + ": "))
        lines.push_back(line.substr(device.size() + 2));
    }
    return lines;
  }

  // The lines sent to `device`, from its lines of a --log trace.
  static std::vector<std::string> SentTo(const std::string& trace, const std::string& device) {
    std::string lines;
    for (const std::string& line : LinesOf(trace, device))
      lines += line + '\n';
    return SentLines(lines);
  }

  // Whether every line of `text` belongs to one of the cameras as a whole line.
  bool EveryLinePrefixed(const std::string& text, const std::vector<std::string>& channels) const {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (std::ranges::none_of(channels, [&](const std::string& c) {
            return line.starts_with(c + ": ") || line.starts_with("{\"channel\":\"" + c + "\"");
          })) {
        ADD_FAILURE() << "line of no camera: " << line;
        return false;
      }
    }
    return true;
  }

  std::vector<std::unique_ptr<test::SimProgram>> sims_;
  std::vector<std::string> devices_;
};

TEST_F(ManyCamerasTest, EightCamerasAreProvisionedAtOnceEachWithItsOwnRecordAndTraffic) {
  constexpr size_t kCameras = 8;
  StartCameras(kCameras);
  const std::string file = GoldenFile();
  ASSERT_EQ(RunAll({"--user", "--log", "provision", file, "--area", "2", "--json", "--expect-model",
                    kModel}),
            kExitOk)
      << err_.str();
  EXPECT_TRUE(EveryLinePrefixed(err_.str(), devices_));
  EXPECT_EQ(std::ranges::count(out_.str(), '\n'), static_cast<long>(kCameras)) << out_.str();
  for (size_t i = 0; i < kCameras; ++i) {
    const std::string& device = devices_[i];
    // The record of this camera holds this camera's id: nothing crossed between runs.
    const std::string head = "{\"channel\":\"" + device + "\",\"model\":\"" + kModel +
                             "\",\"cameraId\":\"CAM" + std::to_string(i) +
                             "\",\"ok\":true,\"status\":0,\"outcome\":\"done\"";
    EXPECT_NE(out_.str().find(head), std::string::npos) << head << '\n' << out_.str();
    const std::vector<std::string> sent = SentTo(err_.str(), device);
    const auto at = [&](const std::string& line) {
      return std::ranges::find(sent, line) - sent.begin();
    };
    ASSERT_FALSE(sent.empty()) << device;
    EXPECT_EQ(sent.front(), "MD?");
    EXPECT_LT(at("TI=" + std::to_string(kTi)), at("SA=2")) << device;
    EXPECT_LT(at("FGA=" + std::to_string(kFga)), at("SA=2")) << device;
    EXPECT_LT(at("SA=2"), at("LD=2")) << device;
    EXPECT_LT(at("LD=2"), static_cast<long>(sent.size())) << device;
  }
  EXPECT_TRUE(OutHas("\"failedStep\":null"));
}

// A camera that fails a step gives its record naming the step; the others finish, and the
// run's status is the worst of all.
TEST_F(ManyCamerasTest, ACameraFailingAStepIsNamedAndTheOthersFinish) {
  StartCameras(3, {{}, {"--other-reply", "--fault-on", "SA"}, {"--model", "RL-4100T-VLNK"}});
  const std::string missing = PathOf("no-such-tty");
  EXPECT_EQ(
      RunAll({"--user", "--timeout", "500", "provision", GoldenFile(), "--expect-model", kModel},
             {missing}),
      kExitNoChannel);
  std::vector<std::string> channels = devices_;
  channels.push_back(missing);
  EXPECT_TRUE(EveryLinePrefixed(out_.str(), channels));
  EXPECT_TRUE(EveryLinePrefixed(err_.str(), channels));
  const std::string verdicts[] = {"read-back: ok", "store: failed", "model: failed",
                                  "open: failed"};
  for (size_t i = 0; i < channels.size(); ++i) {
    const std::vector<std::string> lines = LinesOf(out_.str(), channels[i]);
    ASSERT_FALSE(lines.empty()) << channels[i] << '\n' << out_.str();
    EXPECT_TRUE(lines.back().starts_with(verdicts[i])) << lines.back();
  }
  // The failed store names its step in the line that ends that camera's run.
  EXPECT_TRUE(
      ErrHas(devices_[1] + ": vistrelctl provision: " + devices_[1] + " 115200: store failed:"));
  EXPECT_TRUE(ErrHas("the camera is a RL-4100T-VLNK, not the expected"));
}

TEST_F(ManyCamerasTest, ChannelListsAndLimitsAreCheckedBeforeAnythingRuns) {
  StartCameras(2);
  const std::string list = PathOf("line.txt");
  std::ofstream(list) << "# line 4\n\n  " << devices_[0] << "  \n" << devices_[1] << "\n";
  const std::string twice = PathOf("twice.txt");
  std::ofstream(twice) << devices_[0] << "\n" << devices_[0] << "\n";
  const std::string empty = PathOf("empty.txt");
  std::ofstream(empty) << "# nothing yet\n";
  const std::string badBaud =
      Write("baud.txt", devices_[0] + " 115200\n" + devices_[1] + " 11520\n");
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{"--devices", twice, "get", "TI"}, "is named twice"},
      {{"--devices", empty, "get", "TI"}, "names no channel"},
      {{"--devices", badBaud, "get", "TI"}, "baud.txt line 2: not a baud rate: 11520 (the rates"},
      {{"--devices", PathOf("none.txt"), "get", "TI"}, "cannot read the channel list"},
      {{"--devices", list, "--jobs", "0", "get", "TI"}, "not a number of cameras at once: 0"},
      {{"--jobs", "2", "get", "TI"}, "--jobs needs the channels"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args, false), kExitUsage) << c.error;
    EXPECT_TRUE(ErrHas(c.error));
    EXPECT_EQ(out_.str(), "");
  }
  // One at a time from the list: each camera's line carries its channel.
  ASSERT_EQ(Run({"--baud", "115200", "--devices", list, "--jobs", "1", "get", "TI"}, false),
            kExitOk)
      << err_.str();
  EXPECT_EQ(LinesOf(out_.str(), devices_[0]).size(), 1u) << out_.str();
  EXPECT_EQ(LinesOf(out_.str(), devices_[1]).size(), 1u) << out_.str();
}

// Each line of a channel list may give its camera's baud rate. Records and lines come out in
// the order of the list, although the cameras here finish the other way round.
TEST_F(ManyCamerasTest, AChannelListGivesBaudRatesAndTheOutputFollowsItsOrder) {
  StartCameras(
      3, {{"--late-ms", "700", "--fault-on", "MD"}, {"--late-ms", "350", "--fault-on", "MD"}});
  const std::string list = Write("line.txt", devices_[0] + " 57600\n" + devices_[1] +
                                                 "\n# spare\n" + devices_[2] + "\t19200\n");
  ASSERT_EQ(Run({"--baud", "115200", "--devices", list, "--log", "get", "TI", "--json"}, false),
            kExitOk)
      << err_.str();
  std::vector<size_t> order;
  for (const std::string& text : {out_.str(), err_.str()}) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      const auto camera = std::ranges::find_if(devices_, [&](const std::string& device) {
        return line.starts_with(device + ": ") ||
               line.starts_with("{\"channel\":\"" + device + "\"");
      });
      ASSERT_NE(camera, devices_.end()) << line;
      order.push_back(static_cast<size_t>(camera - devices_.begin()));
    }
    EXPECT_TRUE(std::ranges::is_sorted(order)) << text;
    EXPECT_EQ(order.back(), 2u) << text;
    order.clear();
  }
  // The port keeps the rate it was last set to.
  const speed_t rates[] = {B57600, B115200, B19200};
  for (size_t i = 0; i < devices_.size(); ++i) {
    const int fd = ::open(devices_[i].c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    ASSERT_EQ(::tcgetattr(fd, &settings), 0) << devices_[i];
    EXPECT_EQ(::cfgetospeed(&settings), rates[i]) << devices_[i];
    ::close(fd);
  }
}

TEST_F(ManyCamerasTest, AStopSignalStopsTheAdjustmentOnEveryCamera) {
  // The second camera's lines wait for the first one's end; it starts its adjustment well
  // before the first one, whose start is seen.
  StartCameras(2, {{"--adjust-ms", "60000", "--late-ms", "700", "--fault-on", "MD"},
                   {"--adjust-ms", "60000"}});
  test::SimProgram ctl({"--device", devices_[0], "--device", devices_[1], "--baud", "115200",
                        "--log", "adjust", "exposure"},
                       VISTRELCTL_PROGRAM);
  std::string trace = ctl.ErrorsThrough("Tx: ASC=2");
  EXPECT_EQ(ctl.Finish(SIGINT), 128 + SIGINT);
  trace += ctl.Errors();
  for (const std::string& device : devices_) {
    const std::vector<std::string> sent = SentTo(trace, device);
    ASSERT_EQ(std::ranges::count(sent, "ASC=2"), 1) << trace;
    EXPECT_EQ(sent.back(), "ASC=0") << trace;
  }
}

// A file command over several cameras writes a file per camera, named by a pattern; a plain
// name, or names that come out the same, write nothing.
TEST_F(ManyCamerasTest, EveryCameraWritesAFileOfItsOwn) {
  StartCameras(2);  // camera ids CAM0 and CAM1
  const std::string plain = PathOf("multi.cam");
  EXPECT_EQ(RunAll({"save", plain}), kExitUsage);
  EXPECT_TRUE(
      ErrHas("name the file with {channel} or {cameraId}, for example line4-{channel}.cam"));
  EXPECT_EQ(RunAll({"lut", "read", "-"}), kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(plain));

  ASSERT_EQ(RunAll({"save", PathOf("cam-{cameraId}.cam")}), kExitOk) << err_.str();
  EXPECT_NE(Contents(PathOf("cam-CAM0.cam")).find("\nTI="), std::string::npos);
  EXPECT_NE(Contents(PathOf("cam-CAM1.cam")).find("\nTI="), std::string::npos);
  EXPECT_EQ(RunAll({"save", PathOf("cam-{cameraId}.cam")}), kExitUsage) << "exists: --force";
  ASSERT_EQ(RunAll({"--jobs", "1", "lut", "read", PathOf("g-{channel}.csv")}), kExitOk)
      << err_.str();
  size_t tables = 0;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf("")))
    tables += entry.path().filename().string().starts_with("g-dev_pts_") ? 1 : 0;
  EXPECT_EQ(tables, 2u);

  // Simulated cameras differ by default; two given one id clash, known after the model check.
  for (const bool twins : {false, true}) {
    std::vector<std::string> args =
        twins ? std::vector<std::string>{"--camera-id", "TWIN"} : std::vector<std::string>{};
    test::SimProgram first(args);
    test::SimProgram second(args);
    const std::string pattern = PathOf(std::string(twins ? "t" : "d") + "-{cameraId}.cam");
    const int status = Run({"--device", first.FirstLine(), "--device", second.FirstLine(), "--baud",
                            "115200", "--jobs", "1", "save", pattern},
                           false);
    EXPECT_EQ(status, twins ? kExitUsage : kExitOk) << err_.str();
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf("")))
      files += entry.path().filename().string().starts_with(twins ? "t-" : "d-SIM") ? 1 : 0;
    EXPECT_EQ(files, twins ? 0u : 2u);
  }
  EXPECT_TRUE(ErrHas("is to write " + PathOf("t-TWIN.cam") + " too; neither writes it"));
}

// A closed output stops the run as a signal does: the adjustment still running is switched
// off, every lock goes, and the status is 128 + SIGPIPE.
TEST_F(ManyCamerasTest, AClosedOutputStopsEveryCameraAndLeavesNoLock) {
  test::TempFolder locks;
  test::ScopedEnv lockDir{"VISTREL_LOCK_DIR", locks.Path()};
  StartCameras(2, {{"--adjust-ms", "200"}, {"--adjust-ms", "60000"}});
  test::SimProgram ctl({"--device", devices_[0], "--device", devices_[1], "--baud", "115200",
                        "--log", "adjust", "exposure", "--limit-s", "10"},
                       VISTRELCTL_PROGRAM);
  ctl.CloseOutput();  // the first camera's result finds no reader
  EXPECT_EQ(ctl.Finish(), 128 + SIGPIPE);
  const std::string trace = ctl.Errors();
  EXPECT_TRUE(Has(std::ostringstream(trace), "stopped: the output was closed"));
  EXPECT_EQ(std::ranges::count(SentTo(trace, devices_[0]), "ASC=2"), 1) << trace;
  const std::vector<std::string> sent = SentTo(trace, devices_[1]);
  ASSERT_FALSE(sent.empty()) << trace;
  EXPECT_EQ(sent.back(), "ASC=0") << trace;
  EXPECT_TRUE(std::filesystem::is_empty(locks.Path()));
}

}  // namespace
}  // namespace vistrel
