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
#include "cli/ModelRanges.h"
#include "cli/OutputFiles.h"
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
  return s.StatusFor(result.Overall());
}

std::string DeviceVersion(const CameraData& data) {
  const auto& dv = data.deviceVersion;
  return dv[0] + '.' + dv[1] + '.' + dv[2] + '.' + dv[3];
}

void PrintInfoJson(JsonWriter& w, const CameraData& data) {
  w.Value("model", data.modelName)
      .Value("cameraId", data.cameraId)
      .Value("firmwareVersion", data.firmwareVersion)
      .Value("fpgaVersion", data.fpgaVersion)
      .Value("xmlVersion", data.xmlVersion)
      .Value("deviceVersion", DeviceVersion(data))
      .Value("userId", data.userId);
}

// The commands of the rows just read whose value lies outside the control's range, each said
// once on standard error with what became of it (`kept`).
std::vector<int> WarnReadOutsideRanges(CliSession& s, const char* kept) {
  std::vector<int> flagged;
  const ParameterTable& table = s.Camera().Table();
  for (int index : s.Camera().LastRead().read) {
    const ParameterEntry& row = table.Row(index);
    std::string range;
    if (std::ranges::find(flagged, row.commandId) != flagged.end() ||
        !OutsideRange(s, row.commandId, row.value, nullptr, range))
      continue;
    flagged.push_back(row.commandId);
    WarnOutsideRange(s, row.commandId, row.value, range, kept);
  }
  return flagged;
}

}  // namespace

// The lines a load would not send, with why.
void PrintSkippedJson(JsonWriter& w, const std::vector<FileLineNote>& skipped) {
  w.BeginArray("skipped");
  for (const FileLineNote& note : skipped) {
    w.BeginObject()
        .Value("line", note.lineNumber)
        .Value("text", note.line)
        .Value("reason", SkipReasonText(note.reason))
        .EndObject();
  }
  w.EndArray();
}

// A line of a setting file named in a message: "FILE:LINE: what: the line".
void NoteLine(CliSession& s, const std::string& path, const FileLineNote& note,
              const std::string& what) {
  s.Err() << "vistrelctl: " << path << ':' << note.lineNumber << ": " << what << ": "
          << EscapeControlsInMessage(note.line) << '\n';
}

void NoteSkipped(CliSession& s, const std::string& path, const FileLineNote& note) {
  // A file saved from another model carries rows this one lacks; --quiet leaves those out.
  if (s.Quiet() && note.reason == SkipReason::NotForModel)
    return;
  NoteLine(s, path, note, std::string("skipped (") + SkipReasonText(note.reason) + ")");
}

namespace {

void PrintDiffJson(CliSession& s, const std::string& path, const DiffResult& diff) {
  JsonWriter& w = s.Record();
  w.Value("file", path)
      .Value("matches", diff.differences.empty())
      .Value("compared", diff.compared)
      .BeginArray("differences");
  for (const FileDifference& d : diff.differences) {
    w.BeginObject()
        .Value("line", d.lineNumber)
        .Value("name", d.name)
        .NumberOrText("file", d.fileValue)
        .NumberOrText("camera", d.cameraValue)
        .EndObject();
  }
  w.EndArray();
  PrintSkippedJson(w, diff.skipped);
}

}  // namespace

int RunInfo(CliSession& s) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const CameraData data = ReadCameraData(s.Camera());
  // Placeholders are no data: a camera that did not give every value prints nothing.
  if (data.outcome != Outcome::Done) {
    s.Err() << "vistrelctl: the camera data could not be read (" << OutcomeText(data.outcome)
            << ")\n";
    return s.StatusFor(data.outcome);
  }
  if (s.Json()) {
    PrintInfoJson(s.Record(), data);
    return kExitOk;
  }
  s.Out() << "Model Name: " << EscapeControls(data.modelName) << '\n'
          << "Camera ID: " << EscapeControls(data.cameraId) << '\n'
          << "Firmware Version: " << EscapeControls(data.firmwareVersion) << '\n'
          << "FPGA Version: " << EscapeControls(data.fpgaVersion) << '\n'
          << "XML Version: " << data.xmlVersion << '\n'
          << "Device Version: " << EscapeControls(DeviceVersion(data)) << '\n'
          << "User ID: " << EscapeControls(data.userId) << '\n';
  return kExitOk;
}

int RunDump(CliSession& s) {
  if (const int status = ReadEverything(s); status != kExitOk)
    return status;
  const ParameterTable& table = s.Camera().Table();
  const bool json = s.Json();
  JsonWriter& w = s.Record();
  if (json)
    w.Value("model", s.Camera().Model().name).BeginObject("settings");
  std::set<int> written;  // rows of one command hold one value: the first says it
  for (int index : s.Camera().LastRead().read) {
    const ParameterEntry& row = table.Row(index);
    const std::string name(CommandTable::Name(row.commandId));
    if (!json)
      s.Out() << name << '=' << row.value << '\n';
    else if (written.insert(row.commandId).second)
      w.Value(name, static_cast<long long>(row.value));
  }
  const std::vector<int> flagged = WarnReadOutsideRanges(s, "shown as the camera holds it");
  if (json) {
    w.EndObject();
    NameListJson(w, "outOfRange", flagged);
  }
  return kExitOk;
}

int RunSave(CliSession& s, const std::string& path, bool shipping) {
  if (const int status = ReadEverything(s); status != kExitOk)
    return status;
  const auto variant = shipping ? SettingFileVariant::ShippingData : SettingFileVariant::AllData;
  if (path == kStandardOutputFile) {
    s.Out() << BuildSettingFile(s.Camera(), variant);
    return kExitOk;
  }
  // Everything was read: only the file itself can have failed.
  const Outcome written = WriteSettingFile(s.Camera(), path, variant);
  if (written == Outcome::Done)
    WarnReadOutsideRanges(s, "saved as the camera holds it");
  return s.StatusFor(written);
}

int RunDiff(CliSession& s, const std::string& path) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const DiffResult diff = DiffSettingFile(s.Camera(), path);
  if (diff.outcome == Outcome::BadInput)
    return kExitUsage;  // the file was the matter, and that was said
  if (diff.outcome != Outcome::Done) {
    s.Err() << "vistrelctl: the comparison could not read the camera (" << OutcomeText(diff.outcome)
            << ")\n";
    return diff.outcome == Outcome::Refused ? kExitRefused : s.StatusFor(diff.outcome);
  }
  if (s.Json()) {
    PrintDiffJson(s, path, diff);
  } else {
    for (const FileLineNote& note : diff.skipped)
      NoteSkipped(s, path, note);
    for (const FileDifference& d : diff.differences) {
      s.Out() << path << ':' << d.lineNumber << ": " << d.name
              << " file=" << EscapeControls(d.fileValue)
              << " camera=" << EscapeControls(d.cameraValue) << '\n';
    }
  }
  if (diff.differences.empty())
    return kExitOk;
  // A difference is no refusal: nothing was sent, the camera only holds other values.
  const size_t count = diff.differences.size();
  return s.Fail(
      kExitRefused,
      std::to_string(count) + (count == 1 ? " value differs from " : " values differ from ") + path,
      "load the file to make the camera match it, or save the camera's settings anew");
}

}  // namespace vistrel
