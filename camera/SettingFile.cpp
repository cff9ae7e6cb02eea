#include "camera/SettingFile.h"

#include <vector>

#include "camera/PassOutcome.h"
#include "camera/ReadAll.h"
#include "camera/SettingFileLines.h"
#include "camera/models/ModelCatalogue.h"
#include "core/AtomicFile.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/ControlIds.h"
#include "core/TextEscape.h"
#include "core/TimeLimits.h"
#include "core/WireFormat.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

void PauseBetweenLines(CameraSession& session) {
  session.Engine().Clock().Pause(limits::kLinePauseMs);
}

bool RowBelongsInFile(const CameraSession& session, const ParameterEntry& row,
                      SettingFileVariant variant) {
  if (row.inFile != 1)
    return false;
  // A row the model does not have holds nothing of this camera, and loading skips its line.
  const CameraModel& model = session.Model();
  if (!ModelSupportsControl(model.code, row.ctrlId) ||
      (model.IsMonochrome() && ExcludedForMonochrome(row.commandId)))
    return false;
  if (row.paramClass == ParamClass::User)
    return true;
  return row.paramClass == ParamClass::Factory && variant == SettingFileVariant::AllData &&
         session.FactoryMode();
}

bool ExposureModeIsOff(CameraSession& session) {
  const int index = session.Table().CtrlId2TblIndex(ctl::EM);
  return index >= 0 && session.Table().Row(index).value == 0;
}

// The camera holds one value per command: every row bound to it shows that value.
void StoreForCommand(ParameterTable& table, int commandId, int32_t value) {
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId == commandId)
      table.SetDataValue(row.ctrlId, value);
  }
}

// The value written for a row: the value of its command's row that the read-all fills, so
// that all lines of a command bound to several rows agree; the row's own value otherwise.
int32_t FileValue(const CameraSession& session, int rowIndex) {
  const ParameterTable& table = session.Table();
  const ParameterEntry& row = table.Row(rowIndex);
  for (int i = 0; i < table.RowCount(); ++i) {
    if (table.Row(i).commandId == row.commandId && IsRowReadForModel(session, i))
      return table.Row(i).value;
  }
  return row.value;
}

// How one line of a file went: Done also for a line that is not for this camera.
struct LineResult {
  Outcome outcome = Outcome::Done;
  bool forAnother = false;  // only a reply to another command came back
};

LineResult ResultOf(const Command& engine, Outcome outcome) {
  if (outcome == Outcome::Done)
    return {};
  return {outcome, engine.LastAnswerWasForAnother()};
}

// Sends the value of a parameter line; after a refusal the row keeps what the camera
// really holds, not the value it refused.
LineResult SendParameter(CameraSession& session, int id, int32_t value) {
  Command& engine = session.Engine();
  const LineResult failed = ResultOf(engine, engine.SetValue(id, value, kQueryMs));
  if (failed.outcome == Outcome::Done) {
    StoreForCommand(session.Table(), id, value);
    return {};
  }
  // A camera that did not answer at all keeps the previous value without another wait.
  int32_t actual = 0;
  if (Answered(failed.outcome) && engine.GetValue(id, actual, kQueryMs) == Outcome::Done)
    StoreForCommand(session.Table(), id, actual);
  return failed;
}

void RefreshAfterLine(CameraSession& session, int id, int ctrlId);

// Sends one planned line of a setting file.
LineResult ApplyLine(CameraSession& session, const LinePlan& plan) {
  Command& engine = session.Engine();
  const int id = plan.commandId;
  switch (plan.kind) {
    case LinePlan::Kind::Blank:
    case LinePlan::Kind::Skip:
      return {};
    case LinePlan::Kind::Model: {
      const LineResult sent =
          ResultOf(engine, engine.SetText(id, plan.text, limits::kShortReplyMs));
      // The camera now reports the model id just written.
      session.CheckModelAgain();
      return sent;
    }
    case LinePlan::Kind::Text:
      return ResultOf(engine, engine.SetText(id, plan.text, kQueryMs));
    case LinePlan::Kind::Pair:
      return ResultOf(engine, engine.SetText(id, FormatPairText(plan.index, plan.value),
                                             limits::kShortReplyMs));
    case LinePlan::Kind::Parameter:
      break;
  }
  const LineResult sent = SendParameter(session, id, plan.value);
  RefreshAfterLine(session, id, plan.ctrlId);
  return sent;
}

// The pages that follow the exposure mode or the Camera Link settings catch up.
void RefreshAfterLine(CameraSession& session, int id, int ctrlId) {
  ParameterTable& table = session.Table();
  if (id == cmd::EM) {
    PauseBetweenLines(session);
    session.Pages().RefreshExposureModeControls();
    PauseBetweenLines(session);
  } else if (id == cmd::BA || id == cmd::CLCFG || id == cmd::CLCF || id == cmd::TAGM) {
    session.NoteLinkValue(ctrlId, table.GetDataValue(ctrlId));
    PauseBetweenLines(session);
    session.Pages().RefreshCameraLinkControls();
    PauseBetweenLines(session);
  }
}

// Whether the file may be loaded into the connected camera at all; says why not.
bool MayLoad(CameraSession& session, const std::string& path, const std::vector<std::string>& lines,
             OtherModel otherModel, LoadReport& notes) {
  static constexpr const char* kCaption = "Load Error";
  const FileSurvey survey = SurveyFile(session, lines);
  if (!survey.anySetting) {
    session.Messages().ShowMessage(NoSettingMessage(session, path), kCaption,
                                   MessageIcon::Exclamation);
    return false;
  }
  if (!survey.otherModel || otherModel == OtherModel::Load)
    return true;
  const std::string text = OtherModelMessage(session, path, survey);
  if (otherModel == OtherModel::Ask &&
      session.Messages().AskYesNo(text + "\nLoad it anyway?", "Load"))
    return true;
  notes.otherModel = true;
  if (otherModel == OtherModel::Refuse)
    session.Messages().ShowMessage(text + "\nNothing was sent.", kCaption,
                                   MessageIcon::Exclamation);
  return false;
}

// Without a report to take them, the lines that could not be understood are shown.
void ShowMalformedLines(CameraSession& session, const std::string& path,
                        const std::vector<FileLineNote>& skipped) {
  constexpr size_t kLinesShown = 10;
  std::string text;
  size_t count = 0;
  for (const FileLineNote& note : skipped) {
    if (note.reason != SkipReason::Malformed)
      continue;
    if (++count <= kLinesShown)
      text += "\nLine " + std::to_string(note.lineNumber) + ": " + EscapeControls(note.line);
  }
  if (count == 0)
    return;
  if (count > kLinesShown)
    text += "\nand " + std::to_string(count - kLinesShown) + " more";
  session.Messages().ShowMessage(path + "\nThese lines were not understood and not sent:" + text,
                                 "Load Error", MessageIcon::Exclamation);
}

}  // namespace

std::string SentText(const LinePlan& plan) {
  const std::string name(CommandTable::Name(plan.commandId));
  switch (plan.kind) {
    case LinePlan::Kind::Model:
    case LinePlan::Kind::Text:
      return name + "=" + plan.text;
    case LinePlan::Kind::Pair:
      return name + "=" + FormatPairText(plan.index, plan.value);
    default:
      return name + "=" + std::to_string(plan.value);
  }
}

std::string BuildSettingFile(CameraSession& session, SettingFileVariant variant) {
  std::string out;
  if (variant == SettingFileVariant::AllData && session.FactoryMode()) {
    session.CheckModelOnce();
    if (session.Model().code != CameraModel::kUnsupported)
      out += "MD00=" + session.Model().name + "\n";
  }
  out += std::string(CommandTable::Name(cmd::EM)) + "=1\n";
  out += std::string(CommandTable::Name(cmd::TM)) + "=0\n";
  const bool leaveOutTm = variant == SettingFileVariant::AllData && ExposureModeIsOff(session);
  const ParameterTable& table = session.Table();
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (!RowBelongsInFile(session, row, variant))
      continue;
    if (row.ctrlId == ctl::TM && leaveOutTm)
      continue;
    out += std::string(CommandTable::Name(row.commandId)) + "=" +
           std::to_string(FileValue(session, i)) + "\n";
  }
  return out;
}

Outcome WriteSettingFile(CameraSession& session, const std::string& path,
                         SettingFileVariant variant) {
  // A file holds the camera's values or nothing: values never read would be saved as if
  // the camera held them.
  if (!session.HaveCameraValues()) {
    session.Messages().ShowMessage(NotSavedMessage(session.LastRead()), "Save Error",
                                   MessageIcon::Exclamation);
    return session.LastRead().ran ? session.LastRead().Overall() : Outcome::BadInput;
  }
  const std::string contents = BuildSettingFile(session, variant);
  std::string why;
  std::string notice;
  if (!WriteFileAtomically(path, contents, &why, &notice)) {
    ReportFileOpenFailure(session, path, why);
    return Outcome::NotWritten;
  }
  if (!notice.empty())
    session.Messages().ShowMessage(notice, "Save", MessageIcon::Exclamation);
  session.Folders().RememberCameraFileFolder(FolderOf(path));
  return Outcome::Done;
}

Outcome LoadSettingFile(CameraSession& session, const std::string& path, LoadReport* report,
                        OtherModel otherModel) {
  std::vector<std::string> lines;
  if (const Outcome read = ReadSettingFileLines(session, path, lines); read != Outcome::Done)
    return read;
  LoadReport noReport;
  LoadReport& notes = report ? *report : noReport;
  if (!MayLoad(session, path, lines, otherModel, notes))
    return Outcome::BadInput;
  session.Progress().Begin("Now, reading camera setting file.");
  const int count = static_cast<int>(lines.size());
  PassOutcome pass;
  for (int done = 0; done < count && !pass.GivenUp(); ++done) {
    session.Progress().Update(done * 100 / count);
    session.Windows().PumpEvents();
    const std::string& line = lines[static_cast<size_t>(done)];
    const LinePlan plan = PlanLine(session, line);
    if (plan.kind == LinePlan::Kind::Skip)
      notes.skipped.push_back({done + 1, line, plan.reason});
    // Only lines that go to the camera tell whether it answers.
    if (plan.kind == LinePlan::Kind::Skip || plan.kind == LinePlan::Kind::Blank)
      continue;
    notes.sent.push_back({done + 1, SentText(plan), SkipReason::Malformed});
    const LineResult applied = ApplyLine(session, plan);
    if (applied.outcome == Outcome::Done) {
      pass.NoteSuccess();
    } else {
      pass.NoteFailure(session.Engine(), applied.outcome, applied.forAnother);
      if (applied.outcome == Outcome::Refused)
        notes.refused.push_back({done + 1, line, SkipReason::Malformed});
    }
  }
  session.Table().ShowAll(session.View());
  session.Table().MarkAllSent();
  session.Progress().End();
  session.Pages().PreparePagesForModel(session.Model());
  session.Pages().RefreshDependentStates();
  session.Folders().RememberCameraFileFolder(FolderOf(path));
  if (!report)
    ShowMalformedLines(session, path, notes.skipped);
  return pass.Result();
}

}  // namespace vistrel
