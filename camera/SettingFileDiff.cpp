#include "camera/SettingFileDiff.h"

#include <map>
#include <utility>

#include "camera/PassOutcome.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/Conversions.h"
#include "core/TimeLimits.h"
#include "core/WireFormat.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

// The setting a line writes: its command, and the table entry for LUT lines.
using SettingKey = std::pair<int, int32_t>;

SettingKey KeyOf(const LinePlan& plan) {
  return {plan.commandId, plan.kind == LinePlan::Kind::Pair ? plan.index : -1};
}

// The camera's value of what `plan` sets, in the file's form; not Done when it was not read.
Outcome ReadCameraValue(Command& engine, const LinePlan& plan, std::string& value) {
  switch (plan.kind) {
    case LinePlan::Kind::Model:
      return engine.GetText(cmd::MD, value, kQueryMs);
    case LinePlan::Kind::Text:
      return engine.GetText(plan.commandId, value, kQueryMs);
    case LinePlan::Kind::Pair: {
      const std::string query =
          FormatQueryWithArg(CommandTable::Name(plan.commandId), std::to_string(plan.index));
      int32_t entry = 0;
      const Outcome read = engine.QueryRaw(entry, query, kQueryMs, true);
      if (read == Outcome::Done)
        value = FormatPairText(plan.index, entry);
      return read;
    }
    default: {
      int32_t number = 0;
      const Outcome read = engine.GetValue(plan.commandId, number, kQueryMs);
      if (read == Outcome::Done)
        value = std::to_string(number);
      return read;
    }
  }
}

std::string FileValueOf(const LinePlan& plan) {
  switch (plan.kind) {
    case LinePlan::Kind::Model:
    case LinePlan::Kind::Text:
      return plan.text;
    case LinePlan::Kind::Pair:
      return FormatPairText(plan.index, plan.value);
    default:
      return std::to_string(plan.value);
  }
}

}  // namespace

DiffResult DiffSettingFile(CameraSession& session, const std::string& path) {
  DiffResult result;
  std::vector<std::string> lines;
  result.outcome = ReadSettingFileLines(session, path, lines);
  if (result.outcome != Outcome::Done)
    return result;
  const FileSurvey survey = SurveyFile(session, lines);
  if (!survey.anySetting) {
    // Nothing compared is no match.
    session.Messages().ShowMessage(NoSettingMessage(session, path), "Compare Error",
                                   MessageIcon::Exclamation);
    result.outcome = Outcome::BadInput;
    return result;
  }
  std::vector<std::pair<int, LinePlan>> plans;
  std::map<SettingKey, size_t> last;
  for (size_t i = 0; i < lines.size(); ++i) {
    LinePlan plan = PlanLine(session, lines[i]);
    const int number = static_cast<int>(i) + 1;
    if (number == survey.modelLine) {
      // The model the file is for is compared in either control mode.
      plan.kind = LinePlan::Kind::Model;
      plan.commandId = cmd::MD00;
      plan.text = survey.model;
    }
    if (plan.kind == LinePlan::Kind::Skip)
      result.skipped.push_back({number, lines[i], plan.reason});
    if (plan.kind == LinePlan::Kind::Skip || plan.kind == LinePlan::Kind::Blank)
      continue;
    last[KeyOf(plan)] = plans.size();
    plans.emplace_back(number, std::move(plan));
  }
  PassOutcome pass;
  for (size_t i = 0; i < plans.size() && !pass.GivenUp(); ++i) {
    const auto& [number, plan] = plans[i];
    if (last[KeyOf(plan)] != i)
      continue;  // a later line sets it again
    std::string camera;
    if (const Outcome read = ReadCameraValue(session.Engine(), plan, camera);
        read != Outcome::Done) {
      pass.NoteFailure(session.Engine(), read);
      continue;
    }
    pass.NoteSuccess();
    ++result.compared;
    const std::string file = FileValueOf(plan);
    if (UpperAscii(camera) != UpperAscii(file))
      result.differences.push_back(
          {number, std::string(CommandTable::Name(plan.commandId)), file, camera});
  }
  result.outcome = pass.Result();
  return result;
}

}  // namespace vistrel
