#include "cli/ChannelCommand.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/ChannelOptions.h"
#include "cli/Cli.h"
#include "cli/CommandRegistry.h"
#include "transport/ComPortNames.h"
#include "transport/StoredSettings.h"

namespace vistrel {
namespace {

// The stored channel kinds, by communication mode, with the stored index of each.
struct ModeEntry {
  uint32_t mode;
  const char* name;
  int indexKey;
};
constexpr ModeEntry kModes[] = {
    {0, "COM port", kStoredComPortNo},
    {1, "Camera Link 2000", kStoredCl2000Index},
    {2, "Camera Link 2001", kStoredCl2001Index},
    {3, "Camera Link ver.1.1", kStoredClVer11Index},
};

// Says what is wrong with the stored settings' file, if anything, before the command's output.
void SayNotice(const StoredSettings& settings, std::ostream& err) {
  if (const std::optional<std::string> notice = settings.Notice())
    err << "vistrelctl: " << *notice << '\n';
}

int ShowChannel(std::ostream& out, std::ostream& err) {
  StoredSettings settings(SettingsFolder(), StoredSettings::ShutdownMarker::Leave);
  SayNotice(settings, err);
  const uint32_t mode = settings.GetStoredNumber(kStoredCommunicationMode, 0).value;
  if (mode >= std::size(kModes)) {
    err << "vistrelctl: the stored channel kind " << mode << " is none of 0..3\n";
    return kExitUsage;
  }
  const ModeEntry& entry = kModes[mode];
  const uint32_t index = settings.GetStoredNumber(entry.indexKey, 0).value;
  out << "kind: " << entry.name << '\n' << "port: " << index;
  if (mode == 0) {
    const std::string name = ComPortName(static_cast<int>(index));
    out << " (" << name << ", " << ComPortDevice(settings.Folder(), name) << ")";
  }
  out << '\n' << "baud: " << settings.GetStoredNumber(kStoredBaudrate, 9600).value << '\n';
  return kExitOk;
}

int StoreChannel(const ChannelOptions& o, std::ostream& err) {
  if (!o.device.empty() || o.simulate) {
    err << "vistrelctl: a device path or a simulated camera is not stored; link the device "
           "as ports/COMn in the settings folder and store --port n-1\n";
    return kExitUsage;
  }
  if (!o.OverridesChannel()) {
    err << "vistrelctl: channel set needs --port, --cl2000, --cl2001, --clver11 or --baud\n";
    return kExitUsage;
  }
  StoredSettings settings(SettingsFolder(), StoredSettings::ShutdownMarker::Leave);
  SayNotice(settings, err);
  bool ok = true;
  for (const auto& [mode, index] : {std::pair{0u, o.port}, std::pair{1u, o.cl2000},
                                    std::pair{2u, o.cl2001}, std::pair{3u, o.clVer11}}) {
    if (index) {
      ok = settings.SetStoredNumbers(
          {{kStoredCommunicationMode, mode}, {kModes[mode].indexKey, *index}});
    }
  }
  if (ok && o.baud)
    ok = settings.SetStoredNumber(kStoredBaudrate, *o.baud);
  if (!ok) {
    err << "vistrelctl: the channel could not be stored in " << settings.FilePath() << ": "
        << settings.LastWriteError() << '\n';
    return kExitNoChannel;
  }
  return kExitOk;
}

}  // namespace

void AddChannelCommand(CLI::App& app, ChosenAction& chosen) {
  CLI::App* channel =
      AddSubcommand(app, {"channel", "Show the stored channel, or store one with `channel set`",
                          "vistrelctl channel set --port 0 --baud 115200"});
  channel->callback([&chosen] {
    if (!chosen.offline)
      chosen.offline = ShowChannel;
  });
  auto options = std::make_shared<ChannelOptions>();
  CLI::App* set = AddSubcommand(*channel, {"set",
                                           "Store the channel the desktop program and "
                                           "vistrelctl use when none is named",
                                           "vistrelctl channel set --cl2001 0 --baud 115200"});
  AddChannelChoice(*set, *options, ChannelUse::Stored);
  set->callback([&chosen, options] {
    chosen.offline = [options](std::ostream&, std::ostream& err) {
      return StoreChannel(*options, err);
    };
  });
}

}  // namespace vistrel
