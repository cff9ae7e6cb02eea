#include "cli/SettingCommands.h"

#include <algorithm>
#include <ostream>
#include <set>

#include "camera/CameraData.h"
#include "camera/ReadAll.h"
#include "camera/SettingFile.h"
#include "camera/SettingFileDiff.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/Json.h"
#include "core/CommandTable.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

// Model check and read-all as the desktop program's reload does them. A camera that does not
// answer the model query ends it at once; a pass that could not read every row fails, says
// how many rows it missed, and nothing of it is printed or saved.
int ReadEverything(CliSession& s) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const ReadAllResult result = Reload(s.Camera());
  if (result.Complete())
    return kExitOk;
  s.Err() << "vistrelctl: " << UnreadMessage(result) << '\n';
  return ExitStatusFor(result.Overall());
}

std::string DeviceVersion(const CameraData& data) {
  const auto& dv = data.deviceVersion;
  return dv[0] + '.' + dv[1] + '.' + dv[2] + '.' + dv[3];
}

void PrintInfoJson(std::ostream& out, const CameraData& data) {
  JsonWriter w;
  w.BeginObject()
      .Value("model", data.modelName)
      .Value("cameraId", data.cameraId)
      .Value("firmwareVersion", data.firmwareVersion)
      .Value("fpgaVersion", data.fpgaVersion)
      .Value("xmlVersion", data.xmlVersion)
      .Value("deviceVersion", DeviceVersion(data))
      .Value("userId", data.userId)
      .EndObject();
  out << w.Text() << '\n';
}

// A line of a setting file named in a message: "FILE:LINE: what: the line".
void NoteLine(CliSession& s, const std::string& path, const FileLineNote& note,
              const std::string& what) {
  s.Err() << "vistrelctl: " << path << ':' << note.lineNumber << ": " << what << ": "
          << EscapeControlsInMessage(note.line) << '\n';
}

void PrintDiffJson(std::ostream& out, const std::string& path, const DiffResult& diff) {
  JsonWriter w;
  w.BeginObject()
      .Value("file", path)
      .Value("matches", diff.differences.empty())
      .Value("compared", diff.compared)
      .BeginArray("differences");
  for (const FileDifference& d : diff.differences) {
    w.BeginObject()
        .Value("line", d.lineNumber)
        .Value("name", d.name)
        .Value("file", d.fileValue)
        .Value("camera", d.cameraValue)
        .EndObject();
  }
  w.EndArray().BeginArray("skipped");
  for (const FileLineNote& note : diff.skipped) {
    w.BeginObject()
        .Value("line", note.lineNumber)
        .Value("text", note.line)
        .Value("reason", SkipReasonText(note.reason))
        .EndObject();
  }
  out << w.EndArray().EndObject().Text() << '\n';
}

}  // namespace

int RunInfo(CliSession& s, bool json) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const CameraData data = ReadCameraData(s.Camera());
  // Placeholders are no data: a camera that did not give every value prints nothing.
  if (data.outcome != Outcome::Done) {
    s.Err() << "vistrelctl: the camera data could not be read (" << OutcomeText(data.outcome)
            << ")\n";
    return ExitStatusFor(data.outcome);
  }
  if (json) {
    PrintInfoJson(s.Out(), data);
    return kExitOk;
  }
  s.Out() << "Model Name: " << data.modelName << '\n'
          << "Camera ID: " << EscapeControls(data.cameraId) << '\n'
          << "Firmware Version: " << data.firmwareVersion << '\n'
          << "FPGA Version: " << data.fpgaVersion << '\n'
          << "XML Version: " << data.xmlVersion << '\n'
          << "Device Version: " << EscapeControls(DeviceVersion(data)) << '\n'
          << "User ID: " << EscapeControls(data.userId) << '\n';
  return kExitOk;
}

int RunDump(CliSession& s, bool json) {
  if (const int status = ReadEverything(s); status != kExitOk)
    return status;
  const ParameterTable& table = s.Camera().Table();
  JsonWriter w;
  w.BeginObject().Value("model", s.Camera().model.name).BeginObject("settings");
  std::set<int> written;  // rows of one command hold one value: the first says it
  for (int index : s.Camera().lastRead.read) {
    const ParameterEntry& row = table.Row(index);
    const std::string name(CommandTable::Name(row.commandId));
    if (!json)
      s.Out() << name << '=' << row.value << '\n';
    else if (written.insert(row.commandId).second)
      w.Value(name, static_cast<long long>(row.value));
  }
  if (json)
    s.Out() << w.EndObject().EndObject().Text() << '\n';
  return kExitOk;
}

int RunSave(CliSession& s, const std::string& path, bool shipping) {
  if (const int status = ReadEverything(s); status != kExitOk)
    return status;
  const auto variant = shipping ? SettingFileVariant::ShippingData : SettingFileVariant::AllData;
  // Everything was read: only the file itself can have failed.
  return WriteSettingFile(s.Camera(), path, variant) ? kExitOk : ExitStatusFor(Outcome::BadInput);
}

int RunLoad(CliSession& s, const std::string& path, bool strict, bool force) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  LoadReport report;
  const Outcome outcome =
      LoadSettingFile(s.Camera(), path, &report, force ? OtherModel::Load : OtherModel::Refuse);
  if (report.otherModel)
    s.Err() << "vistrelctl: give --force to load it into this camera anyway\n";
  for (const FileLineNote& note : report.sent)
    s.Out() << path << ':' << note.lineNumber << ": sent " << note.line << '\n';
  for (const FileLineNote& note : report.skipped)
    NoteLine(s, path, note, std::string("skipped (") + SkipReasonText(note.reason) + ")");
  for (const FileLineNote& note : report.refused)
    NoteLine(s, path, note, "refused");
  // A file written by the program carries every row, also those of other models: lines
  // skipped as not for this model are reported but do not fail --strict.
  const bool skippedAny = std::ranges::any_of(report.skipped, [](const FileLineNote& note) {
    return note.reason != SkipReason::NotForModel;
  });
  if (outcome == Outcome::Done && strict && (skippedAny || !report.refused.empty()))
    return kExitRefused;
  return ExitStatusFor(outcome);
}

int RunDiff(CliSession& s, const std::string& path, bool json) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const DiffResult diff = DiffSettingFile(s.Camera(), path);
  if (diff.outcome == Outcome::BadInput)
    return kExitUsage;  // the file was the matter, and that was said
  if (diff.outcome != Outcome::Done) {
    s.Err() << "vistrelctl: the comparison could not read the camera (" << OutcomeText(diff.outcome)
            << ")\n";
    return diff.outcome == Outcome::Refused ? kExitRefused : ExitStatusFor(diff.outcome);
  }
  if (json) {
    PrintDiffJson(s.Out(), path, diff);
  } else {
    for (const FileLineNote& note : diff.skipped)
      NoteLine(s, path, note, std::string("skipped (") + SkipReasonText(note.reason) + ")");
    for (const FileDifference& d : diff.differences) {
      s.Out() << path << ':' << d.lineNumber << ": " << d.name << " file=" << d.fileValue
              << " camera=" << EscapeControls(d.cameraValue) << '\n';
    }
  }
  return diff.differences.empty() ? kExitOk : kExitRefused;
}

}  // namespace vistrel
