#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vistrel {

// The longest cap of the time limits a run may be given (ChannelOptions::timeoutMs).
inline constexpr int kLongestTimeLimitMs = 600000;

// The channel options of one run; none of them changes the stored choice.
struct ChannelOptions {
  std::string device;              // a serial device path, COM port mode
  std::optional<uint32_t> port;    // COM port index, 0 = COM1
  std::optional<uint32_t> cl2000;  // Camera Link library kinds and their port index
  std::optional<uint32_t> cl2001;
  std::optional<uint32_t> clVer11;
  std::optional<uint32_t> baud;
  std::optional<int> timeoutMs;         // caps the time limit of every exchange
  std::optional<std::string> simulate;  // a simulated camera of this model ("" = default)
  bool log = false;
  bool factory = false;
  bool user = false;
  bool yes = false;
  bool quiet = false;       // only data and errors
  bool rawOk = false;       // a network port without COM port control may be used as it is
  bool sharedPort = false;  // a COM port another program holds open may be opened

  // Whether a channel is named for this run (the stored one is not used).
  bool NamesChannel() const {
    return !device.empty() || port || cl2000 || cl2001 || clVer11 || simulate;
  }
  bool OverridesChannel() const { return NamesChannel() || baud; }
};

// Why `text` is no baud rate a channel runs at ("not a baud rate: 11520 (the rates are ...)"),
// or empty when it is one.
std::string BaudRateProblem(const std::string& text);

// Whether the channel chosen is opened for this run or stored for later runs.
enum class ChannelUse { ThisRun, Stored };

// Adds the options that choose the channel (one of them at most) to `app`. For a stored
// choice, a device path and the simulated camera are taken only to be refused with advice
// and stay out of the help.
void AddChannelChoice(CLI::App& app, ChannelOptions& o, ChannelUse use = ChannelUse::ThisRun);
// Adds the channel choice and the options of a run (baud, time limit, log, mode, --yes).
void AddChannelOptions(CLI::App& app, ChannelOptions& o);

// The arguments (without the program name) with the options of the run moved before the
// subcommand, so that `get --log TI` leaves TI to `get`. `channel set` keeps its own.
std::vector<std::string> RunOptionsFirst(const std::vector<std::string>& args);

}  // namespace vistrel
