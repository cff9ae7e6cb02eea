#include "cli/ChannelCommand.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/ChannelOptions.h"
#include "cli/Cli.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "transport/ComPortNames.h"
#include "transport/NetworkUrl.h"
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

// The stored channel as one JSON object.
void PrintChannelJson(std::ostream& out, const ModeEntry& entry, uint32_t index,
                      const std::string& folder, uint32_t baud) {
  JsonWriter w;
  w.BeginObject()
      .Value("ok", true)
      .Value("kind", entry.name)
      .Value("port", static_cast<long long>(index));
  if (entry.mode == 0) {
    const std::string name = ComPortName(static_cast<int>(index));
    w.Value("name", name).Value("device", ComPortDevice(folder, name));
  }
  out << w.Value("baud", static_cast<long long>(baud)).EndObject().Text() << '\n';
}

int ShowChannel(std::ostream& out, std::ostream& err, bool json) {
  StoredSettings settings(SettingsFolder(), StoredSettings::ShutdownMarker::Leave);
  SayNotice(settings, err);
  const uint32_t mode = settings.GetStoredNumber(kStoredCommunicationMode, 0).value;
  if (mode >= std::size(kModes)) {
    const std::string what = "the stored channel kind " + std::to_string(mode) + " is none of 0..3";
    err << "vistrelctl: " << what << '\n';
    if (json) {
      JsonWriter w;
      w.BeginObject().Value("ok", false).BeginObject("error").Value("operation", "channel");
      w.Value("channel", "stored channel").Value("message", what + "; store one with channel set");
      out << w.Value("status", kExitUsage).EndObject().EndObject().Text() << '\n';
    }
    return kExitUsage;
  }
  const ModeEntry& entry = kModes[mode];
  const uint32_t index = settings.GetStoredNumber(entry.indexKey, 0).value;
  const uint32_t baud = settings.GetStoredNumber(kStoredBaudrate, 9600).value;
  if (json) {
    PrintChannelJson(out, entry, index, settings.Folder(), baud);
    return kExitOk;
  }
  out << "kind: " << entry.name << '\n' << "port: " << index;
  const auto network = settings.GetStoredText(kStoredComPortNetwork);
  if (mode == 0 && network.stored && IsNetworkUrl(network.value)) {
    out << " (network port " << network.value << ")";
  } else if (mode == 0) {
    const std::string name = ComPortName(static_cast<int>(index));
    out << " (" << name << ", " << ComPortDevice(settings.Folder(), name) << ")";
  }
  out << '\n' << "baud: " << baud << '\n';
  return kExitOk;
}

int StoreChannel(const ChannelOptions& o, std::ostream& err) {
  const bool network = IsNetworkUrl(o.device);
  if ((!o.device.empty() && !network) || o.simulate) {
    err << "vistrelctl: a device path or a simulated camera is not stored; link the device "
           "as ports/COMn in the settings folder and store --port n-1 (a network port, "
           "rfc2217:// or socket://, is stored with --device)\n";
    return kExitUsage;
  }
  std::string problem;
  if (network && !ParseNetworkUrl(o.device, problem)) {
    err << "vistrelctl: " << problem << '\n';
    return kExitUsage;
  }
  if (!o.OverridesChannel()) {
    err << "vistrelctl: channel set needs --port, --cl2000, --cl2001, --clver11 or --baud\n";
    return kExitUsage;
  }
  StoredSettings settings(SettingsFolder(), StoredSettings::ShutdownMarker::Leave);
  SayNotice(settings, err);
  bool ok = true;
  if (network) {
    ok = settings.SetStoredNumber(kStoredCommunicationMode, 0) &&
         settings.SetStoredText(kStoredComPortNetwork, o.device);
  } else if (o.port) {
    // A COM port stored now is the choice: the network port no longer is.
    ok = settings.SetStoredText(kStoredComPortNetwork, "");
  }
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
  AddJsonFlag(*channel, chosen, "\"kind\", \"port\", \"name\", \"device\", \"baud\"");
  channel->callback([&chosen] {
    if (!chosen.offline) {
      chosen.offline = [&chosen](std::ostream& out, std::ostream& err) {
        return ShowChannel(out, err, chosen.json);
      };
    }
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
