// vistrelctl on a production line: every camera command against a camera that does not
// answer; `set` of ten values with and without the check of their ranges; and `diff` of a
// saved All Data file against vistrel-sim emulating the wire at 115200 baud, compared with the
// wire time of the read-all of the same camera (every line sent and received, 10 bits a
// byte); `describe --all --json` of the colour model against the wire time of its own
// queries, with the number of queries against those of `dump`; and `dump` through ser2net's
// telnet COM port control on 127.0.0.1 against the same dump on the pseudo-terminal directly,
// in the same run. Usage: [baud] (115200) [network] (only the network dump).
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/SettingCheck.h"
#include "core/CommandTable.h"
#include "support/CameraCommandList.h"
#include "support/Ser2net.h"
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

// How long each camera command takes to fail on a camera that does not answer.
bool MeasureSilentCamera(const std::string& folder) {
  const std::string file = folder + "/silent.cam";
  std::ofstream(file) << "TI=1\n";
  const std::string gamma = folder + "/silent.csv";
  std::ofstream gammaFile(gamma);
  gammaFile << "GammaData (R G B)\r\n";
  for (int level = 0; level < 32; ++level)
    gammaFile << "0,0,0\r\n";
  gammaFile.close();
  const auto commands = vistrel::test::CameraCommandList(file, gamma, folder + "/new");
  vistrel::test::SimProgram sim({"--no-reply"});
  const std::string device = sim.FirstLine();
  bool ok = true;
  double slowest = 0;
  for (std::vector<std::string> args : commands) {
    args.insert(args.begin(), {"--device", device, "--factory", "--yes"});
    double ms = 0;
    const int status = Run(args, ms);
    std::printf("silent camera: %-14s exit %d after %5.0f ms\n", args[4].c_str(), status, ms);
    ok = ok && status == vistrel::kExitTimeout;
    slowest = std::max(slowest, ms);
  }
  std::printf("silent camera: slowest failure %.0f ms\n", slowest);
  return ok;
}

// Ten settings sent as they are, against the same ten checked against the model first. The
// widths are allowed binned or not, so the check needs no mode from the camera (a width
// only the unbinned range allows costs one query of the binning).
bool MeasureSetCheck() {
  constexpr int kRounds = 40;
  const std::vector<std::pair<const char*, const char*>> values = {
      {"TI", "0"},  {"TA", "0"},     {"FGA", "100"},  {"WTC", "2048"}, {"HTL", "1500"},
      {"OFL", "0"}, {"PE", "10000"}, {"EM", "Timed"}, {"BL", "0"},     {"TM", "Off"},
  };
  vistrel::test::SimProgram sim({"--baud", "115200"});
  vistrel::ChannelOptions options;
  options.device = sim.FirstLine();
  options.baud = 115200;
  std::ostringstream out, err;
  vistrel::CliSession session(options, out, err);
  if (session.Open() != vistrel::kExitOk || session.CheckCameraAnswers() != vistrel::kExitOk)
    return false;
  auto sendAll = [&session](const std::vector<vistrel::RequestedSetting>& settings) {
    bool ok = true;
    for (const vistrel::RequestedSetting& s : settings)
      ok = ok && session.Engine().SetValue(s.id, s.value.intValue, 2500) == vistrel::Outcome::Done;
    return ok;
  };
  double withMs = 0, withoutMs = 0, checkMs = 0;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<vistrel::RequestedSetting> settings;
    for (const auto& [name, text] : values) {
      vistrel::RequestedSetting s;
      s.id = vistrel::CommandTable::FindByName(name);
      s.name = name;
      s.text = text;
      s.value.kind = vistrel::ValueKind::Integer;
      settings.push_back(s);
    }
    auto start = Clock::now();
    if (vistrel::CheckSettings(session, settings) != vistrel::kExitOk)
      return false;
    checkMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!sendAll(settings))
      return false;
    withMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    start = Clock::now();
    if (!sendAll(settings))
      return false;
    withoutMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  std::printf(
      "set of 10 values at 115200 baud: %.1f ms with the range check, %.1f ms without "
      "(%+.1f %%; mean of %d); the check alone %.2f ms\n",
      withMs / kRounds, withoutMs / kRounds, 100.0 * (withMs - withoutMs) / withoutMs, kRounds,
      checkMs / kRounds);
  return true;
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

// The lines sent in a logged run.
size_t SentCount(const std::string& log) {
  size_t count = 0;
  for (size_t at = log.find("Tx: "); at != std::string::npos; at = log.find("Tx: ", at + 1))
    ++count;
  return count;
}

bool MeasureDescribeAll(int baud) {
  vistrel::test::SimProgram sim({"--model", "QX-70500C-VLNK", "--baud", std::to_string(baud)});
  const std::vector<std::string> channel = {"--device", sim.FirstLine(), "--baud",
                                            std::to_string(baud)};
  auto with = [&channel](std::vector<std::string> args) {
    args.insert(args.begin(), channel.begin(), channel.end());
    return args;
  };
  double describeMs = 0, dumpMs = 0, plainMs = 0;
  std::string log, dumpLog, json;
  if (Run(with({"--log", "describe", "--all", "--json"}), describeMs, &log) != 0 ||
      Run(with({"--log", "dump"}), dumpMs, &dumpLog) != 0 ||
      Run(with({"describe", "--all", "--json"}), plainMs, &json) != 0)
    return false;
  const double wireMs = double(WireBytes(log)) * 10.0 * 1000.0 / baud;
  std::printf(
      "describe --all --json, QX-70500C-VLNK at %d baud: %.0f ms (%.0f ms with --log); wire "
      "time of its queries %.0f ms (ratio %.2f); %zu lines sent against %zu of dump; %zu bytes "
      "of JSON\n",
      baud, plainMs, describeMs, wireMs, plainMs / wireMs, SentCount(log), SentCount(dumpLog),
      json.size());
  return true;
}

// Mean time of `rounds` dumps of the whole camera on `device`; negative when one fails.
double MeanDumpMs(const std::string& device, int baud, int rounds) {
  double total = 0;
  for (int round = 0; round < rounds; ++round) {
    double ms = 0;
    if (Run({"--device", device, "--baud", std::to_string(baud), "--factory", "dump"}, ms) != 0)
      return -1;
    total += ms;
  }
  return total / rounds;
}

bool MeasureNetworkDump(int baud) {
  constexpr int kRounds = 5;
  if (!vistrel::test::Ser2net::Available()) {
    std::printf("dump through ser2net: ser2net is not installed (scripts/install-deps)\n");
    return false;
  }
  vistrel::test::SimProgram direct({"--baud", std::to_string(baud)});
  vistrel::test::SimProgram served({"--baud", std::to_string(baud)});
  vistrel::test::SimProgram servedLowLatency({"--baud", std::to_string(baud)});
  vistrel::test::Ser2net server;
  vistrel::test::Ser2net lowLatency;
  lowLatency.charDelay = false;
  std::string error;
  const std::string directDevice = direct.FirstLine();
  using Kind = vistrel::test::Ser2net::Kind;
  if (!server.Start({{served.FirstLine(), Kind::Rfc2217}}, error) ||
      !lowLatency.Start({{servedLowLatency.FirstLine(), Kind::Rfc2217}}, error)) {
    std::printf("dump through ser2net: %s\n", error.c_str());
    return false;
  }
  const double directMs = MeanDumpMs(directDevice, baud, kRounds);
  const double networkMs = MeanDumpMs(server.Url(0), baud, kRounds);
  const double lowLatencyMs = MeanDumpMs(lowLatency.Url(0), baud, kRounds);
  std::printf(
      "dump at %d baud (mean of %d): %.0f ms on the pseudo-terminal; through ser2net rfc2217 on "
      "127.0.0.1 %.0f ms (ratio %.2f), with chardelay: false %.0f ms (ratio %.2f)\n",
      baud, kRounds, directMs, networkMs, networkMs / directMs, lowLatencyMs,
      lowLatencyMs / directMs);
  return directMs > 0 && networkMs > 0 && lowLatencyMs > 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
  std::string folder = (std::filesystem::temp_directory_path() / "vistrel-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data()))
    return 1;
  ::setenv("VISTREL_CONFIG_DIR", folder.c_str(), 1);
  const bool networkOnly = argc > 2 && std::string(argv[2]) == "network";
  const bool ok = networkOnly ? MeasureNetworkDump(baud)
                              : MeasureSilentCamera(folder) && MeasureSetCheck() &&
                                    MeasureDiff(baud, folder) && MeasureDescribeAll(baud) &&
                                    MeasureNetworkDump(baud);
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
