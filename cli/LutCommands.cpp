#include "cli/LutCommands.h"

#include <CLI/CLI.hpp>
#include <map>
#include <memory>
#include <ostream>

#include "camera/GammaFile.h"
#include "camera/LutTransfer.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/OutputFiles.h"
#include "core/RegularFile.h"

namespace vistrel {
namespace {

constexpr int kAllChannels = -1;

CLI::Validator GammaFileCheck() {
  return CLI::Validator(
      [](std::string& path) {
        const FileCheck check = CheckRegularFile(path, kMaxGammaFileBytes);
        return check.Ok() ? std::string() : path + ": " + check.Reason();
      },
      "FILE");
}

// Reads the three tables; on failure says why and gives the exit status.
int ReadTables(CliSession& s, LutTableSet& tables) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const LutReadAll read = ReadAllLutTables(s.Camera(), tables);
  if (read.outcome == Outcome::Done)
    return kExitOk;
  const char* channel = kLutChannelInfo[static_cast<size_t>(read.channelsTried - 1)].name;
  s.Err() << "vistrelctl: the " << channel << " table could not be read ("
          << OutcomeText(read.outcome) << ")\n";
  return s.StatusFor(read.outcome);
}

int RunLutRead(CliSession& s, const std::string& path) {
  LutTableSet tables{};
  if (const int status = ReadTables(s, tables); status != kExitOk)
    return status;
  if (path == kStandardOutputFile) {
    s.Out() << FormatGammaText(tables);
    return kExitOk;
  }
  // Everything was read: only the file itself can have failed.
  return s.StatusFor(SaveGammaCsv(path, tables, s.Presenter()));
}

int RunLutShow(CliSession& s) {
  LutTableSet tables{};
  if (const int status = ReadTables(s, tables); status != kExitOk)
    return status;
  if (!s.Json()) {
    s.Out() << FormatGammaDataLines(tables);
    return kExitOk;
  }
  JsonWriter& w = s.Record();
  w.BeginObject("tables");
  for (size_t c = 0; c < tables.size(); ++c) {
    w.BeginArray(kLutChannelInfo[c].name);
    for (const uint32_t level : tables[c])
      w.Value("", static_cast<long long>(level));
    w.EndArray();
  }
  w.EndObject();
  return kExitOk;
}

int RunLutWrite(CliSession& s, const std::string& path, int only) {
  LutTableSet tables{};
  const GammaLoad load = LoadGammaCsv(path, tables, s.Presenter());
  if (!load.ok)
    return s.StatusFor(Outcome::BadInput);
  // A table is written whole: entries the file does not give are not made up.
  if (load.dataLines != kLutEntries) {
    s.Err() << "vistrelctl: " << path << ": " << load.dataLines << " data lines; a table has "
            << kLutEntries << '\n';
    return s.StatusFor(Outcome::BadInput);
  }
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  for (int c = 0; c < kLutChannels; ++c) {
    if (only != kAllChannels && only != c)
      continue;
    const Outcome outcome = WriteTableToCamera(s.Camera(), c, tables[static_cast<size_t>(c)]);
    if (outcome != Outcome::Done) {
      s.Err() << "vistrelctl: the " << kLutChannelInfo[static_cast<size_t>(c)].name
              << " table could not be written (" << OutcomeText(outcome) << ")\n";
      return s.StatusFor(outcome);
    }
  }
  return kExitOk;
}

}  // namespace

void AddLutCommands(CLI::App& app, ChosenAction& chosen) {
  CLI::App* lut = AddSubcommand(
      app, {"lut", "The camera's output look-up tables (red, green, blue; 32 levels each)",
            "vistrelctl --device /dev/ttyUSB0 lut show"});
  lut->require_subcommand(1);

  auto readFile = std::make_shared<std::string>();
  auto force = std::make_shared<bool>(false);
  CLI::App* read = AddCameraCommand(
      *lut, chosen,
      {"read", "Read the three tables and write them as a gamma data file (.csv)",
       "vistrelctl --device /dev/ttyUSB0 lut read gamma.csv --force"},
      [readFile, force](CliSession& s) {
        if (const int usable = CheckOutputFile(s, *readFile, *force); usable != kExitOk)
          return usable;
        return RunLutRead(s, *readFile);
      });
  read->add_option("FILE", *readFile,
                   "the .csv file, - for standard output; over several cameras a name with "
                   "{channel} or {cameraId}, e.g. gamma-{channel}.csv")
      ->required()
      ->check(OutputFileCheck());
  read->add_flag("--force", *force, "replace an existing file");
  AddOutputFile(*read, chosen, readFile);

  auto writeFile = std::make_shared<std::string>();
  auto channel = std::make_shared<int>(kAllChannels);
  CLI::App* write = AddCameraCommand(
      *lut, chosen,
      {"write", "Send the tables of a gamma data file to the camera (all three, or one)",
       "vistrelctl --port 0 lut write gamma.csv --channel green"},
      [writeFile, channel](CliSession& s) { return RunLutWrite(s, *writeFile, *channel); });
  write->add_option("FILE", *writeFile, "the .csv file")->required()->check(GammaFileCheck());
  const std::map<std::string, int> channels{{"red", 0}, {"green", 1}, {"blue", 2}};
  write->add_option("--channel", *channel, "only this table: red, green or blue")
      ->transform(CLI::CheckedTransformer(channels, CLI::ignore_case));

  CLI::App* show =
      AddCameraCommand(*lut, chosen,
                       {"show", "Print the three tables as the gamma data file's 32 lines R,G,B",
                        "vistrelctl --device /dev/ttyUSB0 lut show"},
                       RunLutShow);
  AddJsonFlag(*show, chosen, "\"tables\": {red, green, blue: [32 levels]}");
}

}  // namespace vistrel
