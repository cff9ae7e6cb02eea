#include "cli/ChannelOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "camera/CameraModel.h"
#include "cli/NumberArgument.h"
#include "transport/ClSerialApi.h"
#include "transport/ComPortNames.h"

namespace vistrel {
namespace {

// The options of a run, wherever they stand: those with a value after them, and flags
// (--simulate takes its model only as --simulate=MODEL).
constexpr const char* kValueOptions[] = {"--device",  "--port", "--cl2000", "--cl2001",
                                         "--clver11", "--baud", "--timeout"};
constexpr const char* kFlagOptions[] = {"--simulate", "--log",        "--factory", "--user",
                                        "--yes",      "-y",           "--quiet",   "-q",
                                        "--raw-ok",   "--shared-port"};

// An empty value (a script's unset variable) must not fall back to the stored channel.
const CLI::Validator kNotEmpty(
    [](std::string& value) { return value.empty() ? std::string("an empty value") : ""; }, "",
    "not empty");

std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : ", ") + name;
  return text;
}

// A simulated camera is one of the models the program knows; "" is the default model.
const CLI::Validator kKnownModel(
    [](std::string& model) {
      if (model.empty() || ModelCodeFor(model) != CameraModel::kUnsupported)
        return std::string();
      return "no simulated camera of model " + model + "; the models are " +
             Listed(KnownModelNames());
    },
    "", "a known model");

const CLI::Validator kBaudRate([](std::string& text) { return BaudRateProblem(text); }, "",
                               "a baud rate");

CLI::Validator WholeNumberIn(uint32_t low, uint32_t high, const std::string& what) {
  return CLI::Validator(
      [low, high, what](std::string& text) -> std::string {
        const std::optional<uint64_t> n = ParseUnsignedArgument(text);
        if (!n || *n < low || *n > high)
          return "not " + what + ": " + text;
        return "";
      },
      "", what);
}

}  // namespace

// The rates a channel runs at: the Camera Link serial rates, which are also the rates the
// camera can be switched to. A Camera Link library is asked for its own rates when it opens.
std::string BaudRateProblem(const std::string& text) {
  const std::optional<uint64_t> rate = ParseUnsignedArgument(text);
  if (rate && *rate <= UINT32_MAX && ClBaudRateBit(static_cast<uint32_t>(*rate)) != 0)
    return {};
  std::vector<std::string> rates;
  for (const ClBaudBit& entry : kClBaudBits)
    rates.push_back(std::to_string(entry.rate));
  return "not a baud rate: " + text + " (the rates are " + Listed(rates) + ")";
}

void AddChannelChoice(CLI::App& app, ChannelOptions& o, ChannelUse use) {
  const bool stored = use == ChannelUse::Stored;
  auto* group = app.add_option_group(
      "Channel", stored ? "the channel to store for later runs (one of these)"
                        : "for this run only, one of these; the stored choice stays");
  const std::string hiddenWhenStored = stored ? "" : "Options";
  group
      ->add_option("--device", o.device,
                   "serial device path (COM port mode), or a network port: rfc2217://HOST:PORT "
                   "(telnet COM port control, as ser2net serves it) or socket://HOST:PORT")
      ->type_name("DEVICE")
      ->check(kNotEmpty)
      ->group(hiddenWhenStored);
  group->add_option("--port", o.port, "COM port index, 0 = COM1")
      ->check(kNotEmpty)
      ->check(WholeNumberIn(0, kMaxComPortIndex, "a port index that makes a COM port name"));
  const CLI::Validator portIndex = WholeNumberIn(0, UINT32_MAX, "a port index");
  group->add_option("--cl2000", o.cl2000, "Camera Link 2000 library, port index")
      ->check(kNotEmpty)
      ->check(portIndex);
  group->add_option("--cl2001", o.cl2001, "Camera Link 2001 library, port index")
      ->check(kNotEmpty)
      ->check(portIndex);
  group->add_option("--clver11", o.clVer11, "Camera Link ver.1.1 library, port index")
      ->check(kNotEmpty)
      ->check(portIndex);
  group->add_option("--simulate", o.simulate, "use a simulated camera of MODEL")
      ->expected(0, 1)
      ->allow_extra_args(false)
      ->default_str("")
      ->type_name("[=MODEL]")
      ->check(kKnownModel)
      ->group(hiddenWhenStored);
  group->require_option(0, 1);
  app.add_option(
         "--baud", o.baud,
         stored ? "baud rate to store: 9600 to 921600" : "baud rate for this run: 9600 to 921600")
      ->type_name("RATE")
      ->check(kNotEmpty)
      ->check(kBaudRate);
  app.add_flag("--raw-ok", o.rawOk,
               "use an rfc2217:// server that refuses the COM port control option as a raw "
               "connection (the baud rate is then the server's)");
}

void AddChannelOptions(CLI::App& app, ChannelOptions& o) {
  AddChannelChoice(app, o);
  app.add_flag("--shared-port", o.sharedPort,
               "open a COM port that another program holds open, where that program is meant to "
               "share it (without this such a port is refused, naming the program)");
  app.add_option("--timeout", o.timeoutMs,
                 "longest wait for any one reply, in ms (default: each command's own limit)")
      ->check(WholeNumberIn(1, kLongestTimeLimitMs, "a time limit of 1..600000 ms"));
  app.add_flag("--log", o.log, "print the traffic on stderr, each line stamped HH:MM:SS.mmm (UTC)");
  auto* factory = app.add_flag("--factory", o.factory, "factory control mode for this run");
  app.add_flag("--user", o.user, "user control mode for this run")->excludes(factory);
  app.add_flag("--yes,-y", o.yes, "answer yes to questions");
  app.add_flag("--quiet,-q", o.quiet,
               "print only data and errors: no progress, no notes on lines for other models");
}

std::vector<std::string> RunOptionsFirst(const std::vector<std::string>& args) {
  std::vector<std::string> run, rest;
  bool channelCommand = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      rest.insert(rest.end(), args.begin() + static_cast<long>(i), args.end());
      break;
    }
    if (rest.empty() && !arg.starts_with("-"))
      channelCommand = arg == "channel";
    const bool takesValue = std::ranges::find(kValueOptions, arg) != std::end(kValueOptions);
    const std::string name = arg.substr(0, arg.find('='));
    const bool isRunOption = takesValue ||
                             std::ranges::find(kValueOptions, name) != std::end(kValueOptions) ||
                             std::ranges::find(kFlagOptions, name) != std::end(kFlagOptions);
    if (channelCommand || !isRunOption) {
      rest.push_back(arg);
      continue;
    }
    run.push_back(arg);
    if (takesValue && i + 1 < args.size())
      run.push_back(args[++i]);
  }
  run.insert(run.end(), rest.begin(), rest.end());
  return run;
}

}  // namespace vistrel
