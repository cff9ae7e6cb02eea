#include <algorithm>
#include <map>
#include <ostream>

#include "camera/SettingFile.h"
#include "camera/SettingFileLines.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/Json.h"
#include "cli/SettingCheck.h"
#include "cli/SettingCommands.h"
#include "core/CommandTable.h"

namespace vistrel {
namespace {

// What became of one line of a file, for the JSON record: "applied", "refused",
// "would-send" (dry run) or "not-allowed" (dry run: a value the model does not allow).
struct LineResult {
  std::string text;
  const char* result;
  std::string reason;
};

void PrintLinesJson(CliSession& s, const std::string& path, bool dryRun,
                    const std::map<int, LineResult>& lines,
                    const std::vector<FileLineNote>& skipped) {
  JsonWriter& w = s.Record();
  w.Value("file", path).Value("dryRun", dryRun).BeginArray("lines");
  for (const auto& [number, line] : lines) {
    w.BeginObject().Value("line", number).Value("text", line.text).Value("result", line.result);
    if (!line.reason.empty())
      w.Value("reason", line.reason);
    w.EndObject();
  }
  w.EndArray();
  PrintSkippedJson(w, skipped);
}

// Skipped lines other than those for other models fail a strict load.
bool SkippedAny(const std::vector<FileLineNote>& skipped) {
  return std::ranges::any_of(
      skipped, [](const FileLineNote& note) { return note.reason != SkipReason::NotForModel; });
}

int StrictFailure(CliSession& s) {
  return s.Fail(kExitRefused, "lines of the file were skipped or refused (--strict)",
                "correct the lines named above or load without --strict");
}

int RunRealLoad(CliSession& s, const std::string& path, const LoadChoices& choices) {
  LoadReport report;
  const Outcome outcome = LoadSettingFile(s.Camera(), path, &report,
                                          choices.force ? OtherModel::Load : OtherModel::Refuse);
  if (report.otherModel)
    s.Err() << "vistrelctl: give --force to load it into this camera anyway\n";
  std::map<int, LineResult> lines;
  for (const FileLineNote& note : report.sent)
    lines[note.lineNumber] = {note.line, "applied", {}};
  for (const FileLineNote& note : report.refused)
    lines[note.lineNumber].result = "refused";
  if (s.Json()) {
    PrintLinesJson(s, path, false, lines, report.skipped);
  } else {
    if (!s.Quiet()) {
      for (const FileLineNote& note : report.sent)
        s.Out() << path << ':' << note.lineNumber << ": sent " << note.line << '\n';
    }
    for (const FileLineNote& note : report.skipped)
      NoteSkipped(s, path, note);
    for (const FileLineNote& note : report.refused)
      NoteLine(s, path, note, "refused");
  }
  if (outcome == Outcome::Done && choices.strict &&
      (SkippedAny(report.skipped) || !report.refused.empty()))
    return StrictFailure(s);
  return s.StatusFor(outcome);
}

// Whether a load may go ahead with the file at all; says why not.
int CheckFileFor(CliSession& s, const std::string& path, const std::vector<std::string>& lines,
                 bool force) {
  const FileSurvey survey = SurveyFile(s.Camera(), lines);
  if (!survey.anySetting)
    return s.Fail(kExitUsage, path + " holds no setting for the " + s.Camera().Model().name,
                  "give a setting file for this camera's model");
  if (survey.otherModel && !force)
    return s.Fail(kExitUsage,
                  path + " is for a " + survey.model + " camera (line " +
                      std::to_string(survey.modelLine) + ")",
                  "give --force to load it into this camera anyway");
  return kExitOk;
}

// The plans of the lines that would be sent, and the skipped lines.
struct FilePlan {
  std::vector<std::pair<int, LinePlan>> sent;
  std::vector<FileLineNote> skipped;
};

FilePlan PlanFile(CliSession& s, const std::vector<std::string>& lines) {
  FilePlan plan;
  for (size_t i = 0; i < lines.size(); ++i) {
    LinePlan line = PlanLine(s.Camera(), lines[i]);
    const int number = static_cast<int>(i) + 1;
    if (line.kind == LinePlan::Kind::Skip)
      plan.skipped.push_back({number, lines[i], line.reason});
    else if (line.kind != LinePlan::Kind::Blank)
      plan.sent.emplace_back(number, std::move(line));
  }
  return plan;
}

// Plans the file as a load would and checks every value against the connected model; sends
// nothing but the queries of the modes the ranges depend on.
int RunDryRun(CliSession& s, const std::string& path, const LoadChoices& choices) {
  std::vector<std::string> lines;
  if (ReadSettingFileLines(s.Camera(), path, lines) != Outcome::Done)
    return kExitUsage;
  if (const int usable = CheckFileFor(s, path, lines, choices.force); usable != kExitOk)
    return usable;
  const FilePlan plan = PlanFile(s, lines);
  std::vector<RequestedSetting> settings;
  std::vector<int> settingLines;
  std::map<int, LineResult> results;
  for (const auto& [number, line] : plan.sent) {
    results[number] = {SentText(line), "would-send", {}};
    if (line.kind != LinePlan::Kind::Parameter)
      continue;
    RequestedSetting setting;
    setting.id = line.commandId;
    setting.name = std::string(CommandTable::Name(line.commandId));
    setting.text = std::to_string(line.value);
    setting.value.kind = ValueKind::Integer;
    settings.push_back(setting);
    settingLines.push_back(number);
  }
  std::vector<SettingRefusal> refusals;
  if (const int read = CheckSettings(s, settings, &refusals); read != kExitOk)
    return read;
  for (const SettingRefusal& refusal : refusals) {
    LineResult& result = results[settingLines[refusal.index]];
    result.result = "not-allowed";
    result.reason = refusal.what;
  }
  if (s.Json()) {
    PrintLinesJson(s, path, true, results, plan.skipped);
  } else {
    for (const auto& [number, result] : results) {
      if (result.reason.empty())
        s.Out() << path << ':' << number << ": would send " << result.text << '\n';
      else
        s.Err() << "vistrelctl: " << path << ':' << number << ": " << result.reason << '\n';
    }
    for (const FileLineNote& note : plan.skipped)
      NoteSkipped(s, path, note);
  }
  if (!refusals.empty())
    return s.Fail(kExitUsage,
                  std::to_string(refusals.size()) + " value(s) of " + path +
                      " are not allowed for this model",
                  "correct the lines named above");
  return choices.strict && SkippedAny(plan.skipped) ? StrictFailure(s) : kExitOk;
}

}  // namespace

int RunLoad(CliSession& s, const std::string& path, const LoadChoices& choices) {
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  return choices.dryRun ? RunDryRun(s, path, choices) : RunRealLoad(s, path, choices);
}

}  // namespace vistrel
