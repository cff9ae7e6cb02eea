#include "cli/CameraCommands.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "camera/CameraData.h"
#include "camera/FlashAreas.h"
#include "camera/ReadAll.h"
#include "camera/SettingFile.h"
#include "camera/SettingFileLimits.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/PortCommands.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/RegularFile.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = 2500;

// The command id of a name given on the command line, or -1 after saying so.
int CommandIdOf(CliSession& s, const std::string& name) {
  const int id = CommandTable::FindByName(UpperAscii(name));
  if (id < 0)
    s.Err() << "vistrelctl: unknown command name: " << name << '\n';
  return id;
}

bool IsInteger(const std::string& text) {
  size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i >= text.size())
    return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
  }
  return text.size() < 12;
}

std::string ValueText(const CommandValue& value) {
  return value.kind == ValueKind::Text ? value.text : std::to_string(value.intValue);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

int RunGet(CliSession& s, const std::vector<std::string>& names) {
  std::vector<int> ids;
  for (const std::string& name : names) {
    const int id = CommandIdOf(s, name);
    if (id < 0)
      return kExitUsage;
    ids.push_back(id);
  }
  for (int id : ids) {
    CommandValue value;
    if (!s.Engine().Query(id, value, kQueryMs))
      return s.FailureStatus();
    s.Out() << CommandTable::Name(id) << '=' << EscapeControls(ValueText(value)) << '\n';
  }
  return kExitOk;
}

int RunSet(CliSession& s, const std::vector<std::string>& pairs) {
  struct Setting {
    int id;
    std::string value;
  };
  std::vector<Setting> settings;
  for (const std::string& pair : pairs) {
    const size_t eq = pair.find('=');
    if (eq == std::string::npos) {
      s.Err() << "vistrelctl: expected NAME=VALUE: " << pair << '\n';
      return kExitUsage;
    }
    const int id = CommandIdOf(s, pair.substr(0, eq));
    if (id < 0)
      return kExitUsage;
    const std::string value = pair.substr(eq + 1);
    if (CommandTable::Entry(id).kind == ValueKind::Integer && !IsInteger(value)) {
      s.Err() << "vistrelctl: not a number: " << pair << '\n';
      return kExitUsage;
    }
    if (value.find_first_of("\r\n") != std::string::npos) {
      s.Err() << "vistrelctl: a value must not hold a line break\n";
      return kExitUsage;
    }
    settings.push_back({id, value});
  }
  for (const Setting& setting : settings) {
    const bool ok = CommandTable::Entry(setting.id).kind == ValueKind::Text
                        ? s.Engine().SetText(setting.id, setting.value, kQueryMs)
                        : s.Engine().SetValue(setting.id, DecimalToInt(setting.value), kQueryMs);
    if (!ok)
      return s.FailureStatus();
  }
  return kExitOk;
}

int RunSend(CliSession& s, const std::string& line) {
  if (line.find_first_of("\r\n") != std::string::npos) {
    s.Err() << "vistrelctl: the line must not hold a line break\n";
    return kExitUsage;
  }
  std::string reply;
  if (!s.Engine().Exchange(line + "\r\n", reply, kQueryMs)) {
    s.Err() << "vistrelctl: " << OutcomeText(s.Engine().LastOutcome()) << '\n';
    return s.FailureStatus();
  }
  s.Out() << EscapeControls(reply) << '\n';
  return kExitOk;
}

int RunInfo(CliSession& s) {
  const CameraData data = ReadCameraData(s.Camera());
  // Placeholders are no data: a camera that did not give every value prints nothing.
  if (data.outcome != Outcome::Done) {
    s.Err() << "vistrelctl: the camera data could not be read (" << OutcomeText(data.outcome)
            << ")\n";
    return ExitStatusFor(data.outcome);
  }
  const auto& dv = data.deviceVersion;
  s.Out() << "Model Name: " << data.modelName << '\n'
          << "Camera ID: " << data.cameraId << '\n'
          << "Firmware Version: " << data.firmwareVersion << '\n'
          << "FPGA Version: " << data.fpgaVersion << '\n'
          << "XML Version: " << data.xmlVersion << '\n'
          << "Device Version: " << dv[0] << '.' << dv[1] << '.' << dv[2] << '.' << dv[3] << '\n'
          << "User ID: " << EscapeControls(data.userId) << '\n';
  return kExitOk;
}

// Model check and read-all as the desktop program's reload does them. A pass that could not
// read every row fails, says how many rows it missed, and nothing of it is printed or saved.
int ReadEverything(CliSession& s) {
  const ReadAllResult result = Reload(s.Camera());
  if (result.Complete())
    return kExitOk;
  s.Err() << "vistrelctl: " << UnreadMessage(result) << '\n';
  return ExitStatusFor(result.outcome == Outcome::Done ? Outcome::Refused : result.outcome);
}

int RunDump(CliSession& s) {
  const int status = ReadEverything(s);
  if (status != kExitOk)
    return status;
  const ParameterTable& table = s.Camera().table;
  for (int index : s.Camera().lastRead.read) {
    const ParameterEntry& row = table.Row(index);
    s.Out() << CommandTable::Name(row.commandId) << '=' << row.value << '\n';
  }
  return kExitOk;
}

int RunSave(CliSession& s, const std::string& path, bool shipping) {
  const int status = ReadEverything(s);
  if (status != kExitOk)
    return status;
  const auto variant = shipping ? SettingFileVariant::ShippingData : SettingFileVariant::AllData;
  return WriteSettingFile(s.Camera(), path, variant) ? kExitOk : kExitRefused;
}

int RunLoad(CliSession& s, const std::string& path) {
  if (!CheckModel(s.Engine(), s.Presenter(), s.Camera().model))
    return s.FailureStatus();
  return ExitStatusFor(LoadSettingFile(s.Camera(), path));
}

// A setting file to load must be a regular file of a sane size; anything else is a usage
// error before the channel is opened.
CLI::Validator SettingFileCheck() {
  return CLI::Validator(
      [](std::string& path) {
        const FileCheck check = CheckRegularFile(path, kMaxSettingFileBytes);
        return check.Ok() ? std::string() : path + ": " + check.Reason();
      },
      "FILE");
}

int Judge(CliSession& s, bool ok) {
  return ok ? kExitOk : s.FailureStatus();
}

}  // namespace

void AddCameraCommands(CLI::App& app, CameraAction& action) {
  AddPortCommands(app, action);

  auto names = std::make_shared<std::vector<std::string>>();
  auto* get = app.add_subcommand("get", "Query commands by name and print NAME=value");
  get->add_option("NAME", *names, "command names")->required();
  get->callback(
      [&action, names] { action = [names](CliSession& s) { return RunGet(s, *names); }; });

  auto pairs = std::make_shared<std::vector<std::string>>();
  auto* set = app.add_subcommand("set", "Send settings in order, stopping at the first refused");
  set->add_option("NAME=VALUE", *pairs, "settings")->required();
  set->callback(
      [&action, pairs] { action = [pairs](CliSession& s) { return RunSet(s, *pairs); }; });

  auto line = std::make_shared<std::string>();
  auto* send = app.add_subcommand("send", "Send a raw line and print the reply line");
  send->add_option("LINE", *line, "the line, without line end")->required();
  send->callback([&action, line] { action = [line](CliSession& s) { return RunSend(s, *line); }; });

  app.add_subcommand("info", "Print the camera's identity and versions")->callback([&action] {
    action = RunInfo;
  });
  app.add_subcommand("dump", "Read every setting as the desktop program does; print NAME=value")
      ->callback([&action] { action = RunDump; });

  auto file = std::make_shared<std::string>();
  auto shipping = std::make_shared<bool>(false);
  auto force = std::make_shared<bool>(false);
  auto* save = app.add_subcommand("save", "Read all settings and write a setting file");
  save->add_option("FILE", *file, "the .cam file")->required();
  save->add_flag("--shipping", *shipping, "write Shipping Data instead of All Data");
  save->add_flag("--force", *force, "replace an existing file");
  save->callback([&action, file, shipping, force] {
    action = [file, shipping, force](CliSession& s) {
      if (FileExists(*file) && !*force) {
        s.Err() << "vistrelctl: " << *file << " exists; give --force to replace it\n";
        return static_cast<int>(kExitUsage);
      }
      return RunSave(s, *file, *shipping);
    };
  });

  auto loadFile = std::make_shared<std::string>();
  auto* load = app.add_subcommand("load", "Apply a setting file to the camera");
  load->add_option("FILE", *loadFile, "the .cam file")->required()->check(SettingFileCheck());
  load->callback([&action, loadFile] {
    action = [loadFile](CliSession& s) { return RunLoad(s, *loadFile); };
  });

  auto area = std::make_shared<int>(1);
  auto* store = app.add_subcommand("store", "Store the working settings into a flash area");
  store->add_option("AREA", *area, "0 factory, 1..3 user areas")
      ->required()
      ->check(CLI::Range(0, 3));
  store->callback([&action, area] {
    action = [area](CliSession& s) {
      // As in the desktop program, only factory control mode offers the factory area.
      if (*area == 0 && !s.Camera().factoryMode) {
        s.Err() << "vistrelctl: storing into the factory area needs factory control mode "
                   "(--factory)\n";
        return static_cast<int>(kExitUsage);
      }
      return Judge(s, StoreArea(s.Camera(), *area));
    };
  });
  auto loadArea = std::make_shared<int>(1);
  auto* loadAreaCmd = app.add_subcommand("load-area", "Load a flash area, then read all settings");
  loadAreaCmd->add_option("AREA", *loadArea, "0 factory, 1..3 user areas")
      ->required()
      ->check(CLI::Range(0, 3));
  loadAreaCmd->callback([&action, loadArea] {
    action = [loadArea](CliSession& s) { return Judge(s, LoadArea(s.Camera(), *loadArea)); };
  });
  app.add_subcommand("store-all", "Store the working settings into user areas 3, 2 and 1")
      ->callback([&action] {
        // Said no (or no terminal to ask and no --yes): nothing was sent, a usage error.
        action = [](CliSession& s) { return ExitStatusFor(StoreAll(s.Camera())); };
      });
  app.add_subcommand("reset", "Restart the camera")->callback([&action] {
    action = [](CliSession& s) { return Judge(s, CameraReset(s.Camera())); };
  });
}

}  // namespace vistrel
