#include "cli/Verdict.h"

#include "cli/Cli.h"

namespace vistrel {

Verdict SilentCameraVerdict(Outcome last) {
  if (last == Outcome::ChannelLost)
    return {"the channel to the camera was lost",
            "check the cable or adapter and that no other program holds the port, then run "
            "again"};
  return {"the camera does not answer",
          "check that it is powered and cabled to this channel and runs at this baud rate "
          "(give --baud), or name another channel (vistrelctl ports lists them)"};
}

Verdict VerdictFor(int status, Outcome last, const std::string& operation) {
  const std::string help = "vistrelctl " + operation + " --help";
  switch (status) {
    case kExitRefused:
      return {"the camera refused or answered something else (its line is above)",
              "check the values against vistrelctl describe NAME and the control mode "
              "(--factory, --user)"};
    case kExitUsage:
      return {"stopped on the input above before anything more was sent",
              "correct the arguments or the file (" + help + ")"};
    case kExitTimeout:
      return SilentCameraVerdict(last);
    case kExitNoChannel:
      return {"could not open the channel",
              "check the device or port and its permissions, or name another channel "
              "(vistrelctl ports lists them)"};
    case kExitNotWritten:
      return {"the file was not written",
              "check that its folder is writable and has room, or name another file"};
    default:
      return {"failed with exit status " + std::to_string(status), "see " + help};
  }
}

}  // namespace vistrel
