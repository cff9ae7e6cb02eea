#include "cli/MultiRun.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <thread>

#include "camera/CameraId.h"
#include "cli/ChannelOptions.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/LineStream.h"
#include "cli/NumberArgument.h"
#include "cli/OutputFiles.h"
#include "cli/StopSignals.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

constexpr const char* kDevice = "--device";
constexpr const char* kDevices = "--devices";
constexpr const char* kJobs = "--jobs";
constexpr const char* kBaud = "--baud";
// Asking for help or the version is an ordinary run, whatever else is given.
constexpr const char* kHelpOptions[] = {"--help", "-h", "--help-all", "--version"};

// A channel of the run, with the baud rate its line of a --devices file gives (else empty).
struct ListedChannel {
  std::string channel;
  std::string baud;
};

// What a run over several cameras does: the same arguments on every channel.
struct CameraPlan {
  std::vector<ListedChannel> channels;
  std::vector<std::string> arguments;  // for each camera's run, without the channels
  size_t jobs = 0;                     // how many at once; 0: all
  bool json = false;
  bool overCameras = false;  // --devices or --jobs given
  std::string error;         // a usage error; nothing runs
};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A line of a --devices file: DEVICE [BAUD]. Empty, or what is wrong with it.
std::string TakeChannelLine(const std::string& line, CameraPlan& plan) {
  std::istringstream words(line);
  ListedChannel listed;
  std::string more;
  words >> listed.channel >> listed.baud >> more;
  if (!more.empty())
    return "more than a device and a baud rate";
  if (!listed.baud.empty()) {
    if (std::string problem = BaudRateProblem(listed.baud); !problem.empty())
      return problem;
  }
  plan.channels.push_back(std::move(listed));
  return {};
}

// The channels of a --devices file: DEVICE [BAUD] a line; blank lines and # comments are
// skipped.
void ReadChannelFile(const std::string& path, CameraPlan& plan) {
  std::ifstream in(path);
  if (!in) {
    plan.error = "cannot read the channel list " + path;
    return;
  }
  size_t number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = Trimmed(line);
    if (line.empty() || line.starts_with('#'))
      continue;
    if (const std::string problem = TakeChannelLine(line, plan); !problem.empty()) {
      plan.error = path + " line " + std::to_string(number) + ": " + problem;
      return;
    }
  }
  if (in.bad())
    plan.error = "cannot read the channel list " + path;
  else if (plan.channels.empty())
    plan.error = path + " names no channel";
}

// Takes an option of the run over cameras; its value inline (--jobs=2) or next.
void TakeOption(const std::string& name, const std::string& value, CameraPlan& plan) {
  if (value.empty()) {
    plan.error = name + ": an empty value names no channel";
  } else if (name == kDevice) {
    plan.channels.push_back({value, ""});
  } else if (name == kDevices) {
    plan.overCameras = true;
    ReadChannelFile(value, plan);
  } else {
    plan.overCameras = true;
    const std::optional<uint64_t> jobs = ParseUnsignedArgument(value);
    if (!jobs || *jobs == 0 || *jobs > UINT32_MAX)
      plan.error = "not a number of cameras at once: " + value;
    else
      plan.jobs = static_cast<size_t>(*jobs);
  }
}

CameraPlan PlanOf(const std::vector<std::string>& args) {
  CameraPlan plan;
  for (size_t i = 0; i < args.size() && plan.error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      plan.arguments.insert(plan.arguments.end(), args.begin() + static_cast<long>(i), args.end());
      break;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (name != kDevice && name != kDevices && name != kJobs) {
      plan.json = plan.json || arg == "--json";
      plan.arguments.push_back(arg);
      continue;
    }
    if (equals == std::string::npos && i + 1 == args.size())
      plan.error = name + " needs a value";
    else
      TakeOption(name, equals == std::string::npos ? args[++i] : arg.substr(equals + 1), plan);
  }
  std::vector<std::string> sorted;
  for (const ListedChannel& listed : plan.channels)
    sorted.push_back(listed.channel);
  std::ranges::sort(sorted);
  if (const auto twice = std::ranges::adjacent_find(sorted);
      plan.error.empty() && twice != sorted.end()) {
    plan.error = "the channel " + *twice + " is named twice";
  }
  return plan;
}

// ".cam" of "golden.cam"; empty without one.
std::string FileExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? std::string()
                                                                                 : path.substr(dot);
}

// The command's own output as JSON: each line one JSON document (text lines as strings);
// one line stands for itself, several make an array, none is null.
std::string DataOf(const std::vector<std::string>& lines) {
  if (lines.empty())
    return "null";
  std::string data;
  for (const std::string& line : lines) {
    const bool json = line.starts_with('{') || line.starts_with('[');
    data += (data.empty() ? "" : ",") + (json ? line : JsonString(line));
  }
  return lines.size() == 1 ? data : "[" + data + "]";
}

std::string RecordOf(const std::string& channel, const CameraRunFacts& facts, int status,
                     const LineStream& out, const LineStream& err) {
  JsonWriter w;
  w.BeginObject().Value("channel", channel);
  facts.model.empty() ? w.Null("model") : w.Value("model", facts.model);
  facts.cameraId ? w.Value("cameraId", *facts.cameraId) : w.Null("cameraId");
  w.Value("ok", status == kExitOk)
      .Value("status", status)
      .Value("outcome", OutcomeNamesOf(status, facts.last).word)
      .BeginArray("messages");
  for (const std::string& line : err.Lines())
    w.Value("", line);
  w.EndArray();
  // The command's data goes in as it printed it.
  return w.Text() + ",\"data\":" + DataOf(out.Lines()) + "}";
}

// A command that writes a file writes one per camera, named by a pattern; the names that
// the channels alone give are checked here, before any channel opens. Empty, or the usage
// error.
std::string CheckOutputNames(const CameraPlan& plan) {
  const std::optional<std::string> file = OutputFileOf(plan.arguments);
  if (!file)
    return {};
  if (!NamesPerCamera(*file)) {
    return "over several cameras every camera writes a file of its own: name the file with " +
           std::string(kChannelField) + " or " + kCameraIdField + ", for example line4-" +
           kChannelField + FileExtension(*file);
  }
  if (NeedsCameraId(*file))
    return {};  // known once each camera has told its id
  std::map<std::string, std::string> byPath;
  for (const auto& [channel, baud] : plan.channels) {
    const auto [taken, added] = byPath.emplace(ExpandFileName(*file, channel, ""), channel);
    if (!added)
      return "the channels " + taken->second + " and " + channel + " give the same file name " +
             taken->first;
  }
  return {};
}

// The arguments of camera `index`'s run: its channel, and the baud rate of its line in
// place of any --baud of the command line.
std::vector<std::string> ArgumentsFor(const CameraPlan& plan, size_t index) {
  const ListedChannel& listed = plan.channels[index];
  std::vector<std::string> args{std::string(kDevice) + "=" + listed.channel};
  if (!listed.baud.empty())
    args.push_back(std::string(kBaud) + "=" + listed.baud);
  for (size_t i = 0; i < plan.arguments.size(); ++i) {
    const std::string& arg = plan.arguments[i];
    if (arg == "--") {
      args.insert(args.end(), plan.arguments.begin() + static_cast<long>(i), plan.arguments.end());
      break;
    }
    if (listed.baud.empty() || (arg != kBaud && !arg.starts_with(std::string(kBaud) + "=")))
      args.push_back(arg);
    else if (arg == kBaud)
      ++i;  // and its value
  }
  return args;
}

// One camera's run. Its text lines and its JSON record go out in the order of the list.
int RunOnCamera(const CameraPlan& plan, size_t index, CameraOrderedOutput& output,
                OutputClaims& claims) {
  const std::string& channel = plan.channels[index].channel;
  const std::string prefix = EscapeControlsInMessage(channel) + ": ";
  auto handOn = [&output, &prefix, index](bool toErr) {
    return [&output, &prefix, index, toErr](const std::string& line) {
      output.Write(index, toErr, prefix + line + '\n');
    };
  };
  LineStream cameraOut(plan.json ? LineStream::HandOn() : handOn(false));
  LineStream cameraErr(handOn(true));
  CameraRunFacts facts;
  facts.idWanted = plan.json;
  facts.index = index;
  facts.claims = &claims;
  int status = StopSignals::Pending();
  if (status != 0) {
    // A stop signal came before this camera's turn: it is left as it is.
    cameraErr << "vistrelctl: " << StopSignals::Name(status)
              << " received before this camera's turn: nothing was sent to it\n";
    status += 128;
  } else {
    status = RunCliArguments(ArgumentsFor(plan, index), cameraOut, cameraErr, &facts);
  }
  cameraOut.Finish();
  cameraErr.Finish();
  if (plan.json)
    output.Write(index, false, RecordOf(channel, facts, status, cameraOut, cameraErr) + '\n');
  output.Finish(index);
  return status;
}

}  // namespace

void AddMultiRunOptions(CLI::App& app) {
  if (CLI::Option* device = app.get_option_no_throw(kDevice))
    device->description("serial device path (COM port mode); repeat it to run on several cameras");
  auto ignore = [](const std::string&) {};
  app.add_option_function<std::string>(
         kDevices, ignore,
         "run on every channel listed in FILE, one a line as DEVICE [BAUD] (the line's rate "
         "replaces --baud; blank lines and # comments skipped); output in the order of the list")
      ->type_name("FILE");
  app.add_option_function<std::string>(kJobs, ignore,
                                       "with several cameras: how many run at once (default all)")
      ->type_name("N");
}

std::optional<int> RunOnEveryCamera(const std::vector<std::string>& args, std::ostream& out,
                                    std::ostream& err) {
  if (std::ranges::any_of(args, [](const std::string& arg) {
        return std::ranges::find(kHelpOptions, arg) != std::end(kHelpOptions);
      })) {
    return std::nullopt;
  }
  const CameraPlan plan = PlanOf(args);
  if (plan.error.empty() && plan.channels.size() < 2 && !plan.overCameras)
    return std::nullopt;
  if (!plan.error.empty() || plan.channels.empty()) {
    err << "vistrelctl: "
        << (plan.error.empty() ? "--jobs needs the channels (--device, --devices)"
                               : EscapeControlsInMessage(plan.error))
        << "\nRun with --help for usage.\n";
    return kExitUsage;
  }
  if (const std::string error = CheckOutputNames(plan); !error.empty()) {
    err << "vistrelctl: " << EscapeControlsInMessage(error) << "\nRun with --help for usage.\n";
    return kExitUsage;
  }
  // A thread per camera; --jobs says how many of them run at once.
  const size_t count = plan.channels.size();
  OutputClaims claims(count, plan.jobs == 0 ? count : std::min(plan.jobs, count));
  std::vector<int> statuses(count, kExitOk);
  CameraOrderedOutput output(count, out, err);
  auto work = [&](size_t i) {
    claims.Enter();
    statuses[i] = RunOnCamera(plan, i, output, claims);
    claims.Leave(i);
  };
  std::vector<std::thread> threads;
  for (size_t i = 1; i < count; ++i)
    threads.emplace_back(work, i);
  work(0);
  for (std::thread& thread : threads)
    thread.join();
  return *std::ranges::max_element(statuses);
}

void NoteCameraFacts(CliSession& s, CameraRunFacts* facts) {
  if (!facts)
    return;
  facts->model = s.Camera().Model().name;
  if (facts->idWanted)
    facts->cameraId = ReadCameraId(s.Camera()).value;
}

}  // namespace vistrel
