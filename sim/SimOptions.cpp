#include "sim/SimOptions.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace vistrel {
namespace {

// A check that help does not describe: the help names the value (N) and says what it takes.
CLI::Validator Unlisted(CLI::Validator check) {
  check.description("");
  return check;
}

constexpr const char* kFaults = "Faults (for tests; at most one)";

}  // namespace

int ParseSimProgramOptions(int argc, const char* const* argv, SimProgramOptions& options,
                           std::ostream& out, std::ostream& err) {
  CLI::App app(
      "Simulated camera on a new pseudo-terminal. Prints the slave device as the first line of "
      "standard output and serves until SIGINT or SIGTERM.",
      "vistrel-sim");
  app.set_version_flag("--version", std::string("vistrel-sim ") + VISTREL_VERSION);
  SimConfig& camera = options.camera;
  PtyServerOptions& server = options.server;
  int resetMs = static_cast<int>(camera.resetTime.count());
  int adjustMs = static_cast<int>(camera.adjustTime.count());
  bool noReply = false;
  bool garbage = false;
  bool otherReply = false;
  bool noLineEnd = false;
  bool hangUp = false;
  bool letterInValue = false;
  int lateMs = 0;
  std::string replyValue;

  app.add_option("--model", camera.model,
                 "Model name reported for MD (default: the one in --state, else QX-70500C-VLNK)")
      ->type_name("NAME");
  app.add_option("--link", server.linkPath, "Symbolic link to the slave device, removed at exit")
      ->type_name("PATH");
  app.add_option("--state", camera.statePath,
                 "File that keeps the flash areas and identity data between runs")
      ->type_name("FILE");
  app.add_option("--camera-id", camera.cameraId,
                 "Camera id reported for ID (default: the one in --state, else SIM and the "
                 "number of the pseudo-terminal, so that cameras served side by side differ)")
      ->type_name("TEXT")
      ->check(Unlisted(CLI::Validator(
          [](const std::string& id) {
            return id.empty() || id.size() > kSimCameraIdMax ? "1 to 10 characters" : "";
          },
          "")));
  app.add_option("--baud", server.baud, "Emulate the wire: each reply byte takes 10/N seconds")
      ->type_name("N")
      ->check(Unlisted(CLI::PositiveNumber));
  app.add_option("--reset-ms", resetMs, "Silence after a camera reset (default 2000)")
      ->type_name("N")
      ->check(Unlisted(CLI::NonNegativeNumber));
  app.add_option("--adjust-ms", adjustMs, "Duration of a one-shot adjustment (default 2500)")
      ->type_name("N")
      ->check(Unlisted(CLI::NonNegativeNumber));
  app.add_option("--baud-mask", camera.rateMask,
                 "Serial rates the camera reports as supported (SBDRT, default 31)")
      ->type_name("N")
      ->check(Unlisted(CLI::Range(1, 255)));
  app.add_flag("--no-reply", noReply, "Lose lines: never answer")->group(kFaults);
  app.add_option("--late-ms", lateMs, "Answer N ms late")
      ->type_name("N")
      ->check(Unlisted(CLI::PositiveNumber))
      ->group(kFaults);
  app.add_flag("--garbage", garbage, "Answer with garbage bytes")->group(kFaults);
  app.add_flag("--other-reply", otherReply, "Answer as if to another command")->group(kFaults);
  app.add_flag("--no-line-end", noLineEnd, "Answer without CR LF")->group(kFaults);
  app.add_flag("--hang-up", hangUp, "Hang up the line when a line arrives")->group(kFaults);
  app.add_flag("--letter-in-value", letterInValue,
               "Answer queries with a letter in the value (10000 as 1O000)")
      ->group(kFaults);
  app.add_option("--reply-value", replyValue, "Answer queries with TEXT as the value (12,3)")
      ->type_name("TEXT")
      ->group(kFaults);
  app.add_option("--fault-on", server.faults.onlyCommand,
                 "Apply the fault only to lines for this command")
      ->type_name("NAME")
      ->group(kFaults);
  app.add_option("--fault-after", server.faults.afterLines, "Answer this many lines normally first")
      ->type_name("N")
      ->check(Unlisted(CLI::NonNegativeNumber))
      ->group(kFaults);

  try {
    app.parse(argc, argv);
    const int chosen = int(noReply) + int(lateMs > 0) + int(garbage) + int(otherReply) +
                       int(noLineEnd) + int(hangUp) + int(letterInValue) + int(!replyValue.empty());
    if (chosen > 1)
      throw CLI::ValidationError("Faults", "choose at most one fault");
    if (chosen == 0 && (!server.faults.onlyCommand.empty() || server.faults.afterLines > 0))
      throw CLI::ValidationError("Faults", "--fault-on and --fault-after need a fault");
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "vistrel-sim: " << e.what() << "\n\n" << app.help();
    return 2;
  }
  camera.resetTime = std::chrono::milliseconds(resetMs);
  camera.adjustTime = std::chrono::milliseconds(adjustMs);
  SimFault& fault = server.faults.fault;
  fault = noReply               ? SimFault::NoReply
          : lateMs > 0          ? SimFault::LateReply
          : garbage             ? SimFault::Garbage
          : otherReply          ? SimFault::OtherReply
          : noLineEnd           ? SimFault::NoLineEnd
          : hangUp              ? SimFault::HangUp
          : letterInValue       ? SimFault::LetterInValue
          : !replyValue.empty() ? SimFault::ReplyValue
                                : SimFault::None;
  server.faults.lateMs = lateMs;
  server.faults.replyValue = replyValue;
  for (char& c : server.faults.onlyCommand)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return -1;
}

}  // namespace vistrel
