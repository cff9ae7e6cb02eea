#include "cli/CameraCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "camera/SettingFileLimits.h"
#include "camera/SettingFileLines.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/OutputFiles.h"
#include "cli/PortCommands.h"
#include "cli/SettingCommands.h"
#include "core/RegularFile.h"

namespace vistrel {

CLI::Validator SettingFileCheck() {
  return CLI::Validator(
      [](std::string& path) {
        if (path == kStandardInputFile)
          return std::string();
        const FileCheck check = CheckRegularFile(path, kMaxSettingFileBytes);
        return check.Ok() ? std::string() : path + ": " + check.Reason();
      },
      "FILE");
}

namespace {

void AddSaveCommand(CLI::App& app, ChosenAction& chosen) {
  auto file = std::make_shared<std::string>();
  auto shipping = std::make_shared<bool>(false);
  auto force = std::make_shared<bool>(false);
  CLI::App* save = AddCameraCommand(
      app, chosen,
      {"save", "Read all settings and write a setting file (nothing when any is unread)",
       "vistrelctl --device /dev/ttyUSB0 save golden.cam --force"},
      [file, shipping, force](CliSession& s) {
        if (const int usable = CheckOutputFile(s, *file, *force); usable != kExitOk)
          return usable;
        if (s.Json())
          s.Record().Value("file", *file);
        return RunSave(s, *file, *shipping);
      });
  save->add_option("FILE", *file,
                   "the .cam file, - for standard output; over several cameras a name with "
                   "{channel} or {cameraId}, e.g. line4-{cameraId}.cam")
      ->required()
      ->check(OutputFileCheck());
  AddOutputFile(*save, chosen, file);
  save->add_flag("--shipping", *shipping, "write Shipping Data instead of All Data");
  save->add_flag("--force", *force, "replace an existing file");
  AddJsonFlag(*save, chosen, "\"file\"");
  AddExpectModelOption(*save, chosen);
}

void AddLoadAndDiff(CLI::App& app, ChosenAction& chosen) {
  auto loadFile = std::make_shared<std::string>();
  auto choices = std::make_shared<LoadChoices>();
  CLI::App* load = AddCameraCommand(
      app, chosen,
      {"load",
       "Apply a setting file to the camera; each skipped line is reported on stderr with its "
       "line number and why",
       "vistrelctl --device /dev/ttyUSB0 load --strict golden.cam"},
      [loadFile, choices](CliSession& s) { return RunLoad(s, *loadFile, *choices); });
  load->add_option("FILE", *loadFile, "the .cam file, - for standard input")
      ->required()
      ->check(SettingFileCheck());
  load->add_flag("--strict", choices->strict, "exit 1 when any line was skipped or refused");
  AddExpectModelOption(*load, chosen);
  load->add_flag("--force", choices->force, "load a file whose model line names another model");
  load->add_flag("--dry-run", choices->dryRun,
                 "check every value against the camera's model and print what would be sent; "
                 "sends nothing but the model and range queries");
  AddJsonFlag(*load, chosen, "\"file\", \"lines\": [{line, text, result, reason}], \"skipped\"");

  auto diffFile = std::make_shared<std::string>();
  CLI::App* diff = AddCameraCommand(
      app, chosen,
      {"diff",
       "Compare a setting file with the camera as load would apply it; exit 0 when the "
       "camera matches, 1 when it differs",
       "vistrelctl --device /dev/ttyUSB0 diff golden.cam"},
      [diffFile](CliSession& s) { return RunDiff(s, *diffFile); });
  diff->add_option("FILE", *diffFile, "the .cam file, - for standard input")
      ->required()
      ->check(SettingFileCheck());
  AddJsonFlag(*diff, chosen, "\"file\", \"matches\", \"differences\", \"skipped\"");
  AddExpectModelOption(*diff, chosen);
}

}  // namespace

void AddCameraCommands(CLI::App& app, ChosenAction& chosen) {
  AddPortCommands(app, chosen);
  CLI::App* info = AddCameraCommand(app, chosen,
                                    {"info", "Print the camera's identity and versions",
                                     "vistrelctl --device /dev/ttyUSB0 info --json"},
                                    RunInfo);
  AddJsonFlag(*info, chosen, "\"model\", \"cameraId\" and the versions");
  CLI::App* dump =
      AddCameraCommand(app, chosen,
                       {"dump", "Read every setting as the desktop program does; print NAME=value",
                        "vistrelctl --device /dev/ttyUSB0 --factory dump"},
                       RunDump);
  AddJsonFlag(*dump, chosen, "\"model\", \"settings\": {NAME: value}");
  AddExpectModelOption(*dump, chosen);
  AddSaveCommand(app, chosen);
  AddLoadAndDiff(app, chosen);
}

}  // namespace vistrel
