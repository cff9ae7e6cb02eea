#include "camera/SettingFile.h"

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "camera/ModelLists.h"
#include "camera/PassOutcome.h"
#include "camera/ReadAll.h"
#include "camera/SettingFileLimits.h"
#include "core/AtomicFile.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/RegularFile.h"
#include "core/WireFormat.h"

namespace vistrel {
namespace {

constexpr int kEmCtrl = 1337;
constexpr int kTmCtrl = 1341;
constexpr size_t kLongestLine = 255;
constexpr int kQueryMs = 2500;

void Pause20ms() {
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void ReportOpenFailure(CameraSession& session, const std::string& path) {
  session.messages.ShowMessage(path + "\nCouldn't open this file", "File Open Error",
                               MessageIcon::Exclamation);
}

bool RowBelongsInFile(const CameraSession& session, const ParameterEntry& row,
                      SettingFileVariant variant) {
  if (row.inFile != 1)
    return false;
  if (row.paramClass == ParamClass::User)
    return true;
  return row.paramClass == ParamClass::Factory && variant == SettingFileVariant::AllData &&
         session.factoryMode;
}

bool ExposureModeIsOff(CameraSession& session) {
  const int index = session.table.CtrlId2TblIndex(kEmCtrl);
  return index >= 0 && session.table.Row(index).value == 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  return lines;
}

// Whether a file line of the command is applied: some row bound to it is written to files, takes
// part in the control mode and belongs to the model. A command can be bound to more than one
// row (a toggle button beside a number field), and the first of them need not be the one the
// model has.
bool CommandTakesFileLine(const CameraSession& session, int commandId) {
  const ParameterTable& table = session.table;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (row.commandId != commandId || row.inFile == 0)
      continue;
    if (row.paramClass == ParamClass::Factory && !session.factoryMode)
      continue;
    // A parameter the model does not have can only be refused.
    if (ModelSupportsControl(session.model.code, row.ctrlId))
      return true;
  }
  return false;
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
  const ParameterTable& table = session.table;
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

LineResult ResultOf(const Command& engine, bool ok) {
  if (ok)
    return {};
  return {engine.LastOutcome(), engine.LastAnswerWasForAnother()};
}

// Sends the value of a parameter line; after a refusal the row keeps what the camera
// really holds, not the value it refused.
LineResult SendParameter(CameraSession& session, int id, int32_t value) {
  Command& engine = session.engine;
  if (engine.SetValue(id, value, kQueryMs)) {
    StoreForCommand(session.table, id, value);
    return {};
  }
  const LineResult failed = ResultOf(engine, false);
  // A camera that did not answer at all keeps the previous value without another wait.
  int32_t actual = 0;
  if (Answered(failed.outcome) && engine.GetValue(id, actual, kQueryMs))
    StoreForCommand(session.table, id, actual);
  return failed;
}

void RefreshAfterLine(CameraSession& session, int id, int ctrlId);

// Applies one parsed line of a setting file.
LineResult ApplyLine(CameraSession& session, const std::string& line, const ReplyFields& f) {
  Command& engine = session.engine;
  ParameterTable& table = session.table;
  const int id = f.commandId;
  if (id == cmd::MD00) {
    const LineResult sent = ResultOf(engine, engine.SetText(cmd::MD00, f.value.text, 1000));
    CheckModel(engine, session.messages, session.model);
    return sent;
  }
  if (id == cmd::DV) {
    // The device version is a text ("1.2.3.4"); sending it as a number would lose it.
    return ResultOf(engine, engine.SetText(cmd::DV, f.value.text, kQueryMs));
  }
  if (id == cmd::LUTR || id == cmd::LUTG || id == cmd::LUTB) {
    int32_t index = 0, value = 0;
    if (!Command::ParsePair(line, index, value))
      return {};
    return ResultOf(engine, engine.SetText(id, FormatPairText(index, value), 1000));
  }
  const int ctrlId = table.ToCtrlId(id);
  if (ctrlId < 0)
    return {};
  if (!CommandTakesFileLine(session, id))
    return {};
  if (session.model.IsMonochrome() && ExcludedForMonochrome(id))
    return {};

  const LineResult sent = SendParameter(session, id, f.value.intValue);
  RefreshAfterLine(session, id, ctrlId);
  return sent;
}

// The pages that follow the exposure mode or the Camera Link settings catch up.
void RefreshAfterLine(CameraSession& session, int id, int ctrlId) {
  ParameterTable& table = session.table;
  if (id == cmd::EM) {
    Pause20ms();
    session.hooks->RefreshExposureModeControls();
    Pause20ms();
  } else if (id == cmd::BA || id == cmd::CLCFG || id == cmd::CLCF || id == cmd::TAGM) {
    const int32_t kept = table.GetDataValue(ctrlId);
    if (id == cmd::BA)
      session.link.bitAllocation = kept;
    if (id == cmd::CLCFG)
      session.link.clConfiguration = kept;
    if (id == cmd::CLCF)
      session.link.sensorClock = kept;
    if (id == cmd::TAGM)
      session.link.tapGeometry = kept;
    Pause20ms();
    session.hooks->RefreshCameraLinkControls();
    Pause20ms();
  }
}

}  // namespace

std::string BuildSettingFile(CameraSession& session, SettingFileVariant variant) {
  std::string out;
  if (variant == SettingFileVariant::AllData && session.factoryMode) {
    CheckModel(session.engine, session.messages, session.model);
    if (session.model.code != CameraModel::kUnsupported)
      out += "MD00=" + session.model.name + "\n";
  }
  out += std::string(CommandTable::Name(cmd::EM)) + "=1\n";
  out += std::string(CommandTable::Name(cmd::TM)) + "=0\n";
  const bool leaveOutTm = variant == SettingFileVariant::AllData && ExposureModeIsOff(session);
  const ParameterTable& table = session.table;
  for (int i = 0; i < table.RowCount(); ++i) {
    const ParameterEntry& row = table.Row(i);
    if (!RowBelongsInFile(session, row, variant))
      continue;
    if (row.ctrlId == kTmCtrl && leaveOutTm)
      continue;
    out += std::string(CommandTable::Name(row.commandId)) + "=" +
           std::to_string(FileValue(session, i)) + "\n";
  }
  return out;
}

bool WriteSettingFile(CameraSession& session, const std::string& path, SettingFileVariant variant) {
  // A file holds the camera's values or nothing: values never read would be saved as if
  // the camera held them.
  if (!session.haveCameraValues) {
    session.messages.ShowMessage(NotSavedMessage(session.lastRead), "Save Error",
                                 MessageIcon::Exclamation);
    return false;
  }
  const std::string contents = BuildSettingFile(session, variant);
  if (!WriteFileAtomically(path, contents)) {
    ReportOpenFailure(session, path);
    return false;
  }
  session.hooks->RememberCameraFileFolder(FolderOf(path));
  return true;
}

Outcome LoadSettingFile(CameraSession& session, const std::string& path) {
  std::string contents;
  const FileCheck read = ReadRegularFile(path, kMaxSettingFileBytes, contents);
  if (read.status == FileStatus::NotRegular || read.status == FileStatus::TooLarge) {
    session.messages.ShowMessage(path + "\nCouldn't open this file (" + read.Reason() + ")",
                                 "File Open Error", MessageIcon::Exclamation);
    return Outcome::BadInput;
  }
  if (!read.Ok()) {
    ReportOpenFailure(session, path);
    return Outcome::BadInput;
  }
  const std::vector<std::string> lines = SplitLines(contents);

  session.progress->Begin("Now, reading camera setting file.");
  const int count = static_cast<int>(lines.size());
  PassOutcome pass;
  for (int done = 0; done < count && !pass.GivenUp(); ++done) {
    session.progress->Update(done * 100 / count);
    session.hooks->PumpEvents();
    const std::string& line = lines[static_cast<size_t>(done)];
    std::string_view text = line;
    if (text.ends_with('\r'))
      text.remove_suffix(1);
    if (text.size() > kLongestLine)
      continue;  // an over-long line is no setting
    ReplyFields fields;
    if (!ParseReply(text, fields))
      continue;
    const LineResult applied = ApplyLine(session, std::string(text), fields);
    if (applied.outcome == Outcome::Done)
      pass.NoteSuccess();
    else
      pass.NoteFailure(applied.outcome, applied.forAnother);
  }
  session.table.ShowAll(*session.view);
  session.table.MarkAllSent();
  session.progress->End();
  session.hooks->PreparePagesForModel(session.model);
  session.hooks->RefreshDependentStates();
  session.hooks->RememberCameraFileFolder(FolderOf(path));
  return pass.Result();
}

}  // namespace vistrel
