#include "camera/SettingFile.h"

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "camera/ModelLists.h"
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

// Applies one parsed line of a setting file.
void ApplyLine(CameraSession& session, const std::string& line, const ReplyFields& f) {
  Command& engine = session.engine;
  ParameterTable& table = session.table;
  const int id = f.commandId;
  if (id == cmd::MD00) {
    engine.SetText(cmd::MD00, f.value.text, 1000);
    CheckModel(engine, session.messages, session.model);
    return;
  }
  if (id == cmd::DV) {
    // The device version is a text ("1.2.3.4"); sending it as a number would lose it.
    engine.SetText(cmd::DV, f.value.text, kQueryMs);
    return;
  }
  if (id == cmd::LUTR || id == cmd::LUTG || id == cmd::LUTB) {
    int32_t index = 0, value = 0;
    if (Command::ParsePair(line, index, value)) {
      engine.SetText(id, FormatPairText(index, value), 1000);
    }
    return;
  }
  const int ctrlId = table.ToCtrlId(id);
  if (ctrlId < 0)
    return;
  if (table.IsFactoryParam(ctrlId) && !session.factoryMode)
    return;
  if (table.IsInFile(ctrlId) == 0)
    return;
  // A parameter the model does not have can only be refused.
  if (!ModelSupportsControl(session.model.code, ctrlId))
    return;
  if (session.model.IsMonochrome() && ExcludedForMonochrome(id))
    return;

  const int32_t value = f.value.intValue;
  if (engine.SetValue(id, value, kQueryMs)) {
    table.SetDataValue(ctrlId, value);
  } else if (engine.LastExchangeAnswered()) {
    // Keep what the camera really holds, not the value it refused. A camera that did not
    // answer at all keeps the previous value without another wait.
    int32_t actual = 0;
    if (engine.GetValue(id, actual, kQueryMs))
      table.SetDataValue(ctrlId, actual);
  }
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
    out += std::string(CommandTable::Name(row.commandId)) + "=" + std::to_string(row.value) + "\n";
  }
  return out;
}

bool WriteSettingFile(CameraSession& session, const std::string& path, SettingFileVariant variant) {
  const std::string contents = BuildSettingFile(session, variant);
  if (!WriteFileAtomically(path, contents)) {
    ReportOpenFailure(session, path);
    return false;
  }
  session.hooks->RememberCameraFileFolder(FolderOf(path));
  return true;
}

bool LoadSettingFile(CameraSession& session, const std::string& path) {
  std::string contents;
  const FileCheck read = ReadRegularFile(path, kMaxSettingFileBytes, contents);
  if (read.status == FileStatus::NotRegular || read.status == FileStatus::TooLarge) {
    session.messages.ShowMessage(path + "\nCouldn't open this file (" + read.Reason() + ")",
                                 "File Open Error", MessageIcon::Exclamation);
    return false;
  }
  if (!read.Ok()) {
    ReportOpenFailure(session, path);
    return false;
  }
  const std::vector<std::string> lines = SplitLines(contents);

  session.progress->Begin("Now, reading camera setting file.");
  const int count = static_cast<int>(lines.size());
  for (int done = 0; done < count; ++done) {
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
    ApplyLine(session, std::string(text), fields);
  }
  session.table.ShowAll(*session.view);
  session.table.MarkAllSent();
  session.progress->End();
  session.hooks->PreparePagesForModel(session.model);
  session.hooks->RefreshDependentStates();
  session.hooks->RememberCameraFileFolder(FolderOf(path));
  return true;
}

}  // namespace vistrel
