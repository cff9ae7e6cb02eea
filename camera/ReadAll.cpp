#include "camera/ReadAll.h"

#include "camera/BaudChoice.h"
#include "camera/ModelLists.h"
#include "core/CommandIds.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = 2500;
constexpr int kGammaCtrl = 2571;
constexpr int kCameraBaudCtrl = 1422;

// Keeps the Camera Link state and converts the values whose choices need an entry index.
void NoteValue(CameraSession& session, const ParameterEntry& row, int32_t value) {
  if (row.ctrlId == kGammaCtrl)
    session.hooks->SelectChoiceEntry(kGammaCtrl, GammaEntryFor(value));
  if (row.ctrlId == kCameraBaudCtrl) {
    session.hooks->SelectChoiceEntry(kCameraBaudCtrl, CameraBaudEntryFor(value));
  }
  switch (row.commandId) {
    case cmd::CLCFG:
      session.link.clConfiguration = value;
      break;
    case cmd::BA:
      session.link.bitAllocation = value;
      break;
    case cmd::CLCF:
      session.link.sensorClock = value;
      break;
    case cmd::TAGM:
      session.link.tapGeometry = value;
      break;
    default:
      break;
  }
}

}  // namespace

bool IsRowReadForModel(const CameraSession& session, int rowIndex) {
  const ParameterEntry& row = session.table.Row(rowIndex);
  if (!ModelSupportsControl(session.model.code, row.ctrlId))
    return false;
  if (row.paramClass == ParamClass::Factory && !session.factoryMode)
    return false;
  if (!session.table.IsReadable(rowIndex))
    return false;
  if (session.model.IsMonochrome() && ExcludedForMonochrome(row.commandId))
    return false;
  return true;
}

std::vector<int> ReadAll(CameraSession& session) {
  ParameterTable& table = session.table;
  const int total = session.factoryMode ? table.CountReadable() : table.CountReadableUser();
  session.progress->Begin("Now, reading camera settings.");
  std::vector<int> read;
  int count = 0;
  for (int i = 0; i < table.RowCount(); ++i) {
    if (!IsRowReadForModel(session, i))
      continue;
    const ParameterEntry& row = table.Row(i);
    int32_t value = 0;
    if (session.engine.GetValue(row.commandId, value, kQueryMs)) {
      table.SetDataValue(row.ctrlId, value);
      NoteValue(session, row, value);
      read.push_back(i);
    }
    ++count;
    session.progress->Update(total > 0 ? count * 100 / total : 100);
    session.hooks->PumpEvents();
  }
  session.progress->End();
  session.lastReadRows = read;
  session.hooks->ActivateMainWindow();
  int32_t videoMode = 0;
  if (session.engine.GetValue(cmd::VSM, videoMode, kQueryMs)) {
    session.hooks->ShowVideoMode(videoMode);
  }
  return read;
}

void FillCameraBaudChoice(CameraSession& session) {
  int32_t mask = 0;
  if (!session.engine.GetValue(cmd::SBDRT, mask, kQueryMs))
    mask = 0;
  const std::vector<ChoiceEntry> entries = CameraBaudEntries(mask);
  int32_t current = 0;
  int selected = 0;
  if (session.engine.GetValue(cmd::FCBDRT, current, kQueryMs)) {
    selected = CameraBaudEntryFor(current);
  }
  session.hooks->FillCameraBaudChoice(entries, selected);
}

bool Reload(CameraSession& session) {
  IPageHooks& hooks = *session.hooks;
  ParameterTable& table = session.table;
  hooks.LockWindows(true);
  const bool answered = CheckModel(session.engine, session.messages, session.model);
  hooks.FillModelChoice(ModelChoiceEntries(session.model.code),
                        ModelChoiceSelection(session.model.code));
  hooks.PreparePagesForModel(session.model);
  ReadAll(session);
  table.ShowAll(*session.view);
  table.MarkAllSent();
  table.WriteChangedParameters(session.engine, *session.view, kQueryMs);
  table.MarkAllSent();
  table.ShowAll(*session.view);
  hooks.RefreshDependentStates();
  hooks.LockWindows(false);
  hooks.RefreshRemainingPages();
  FillCameraBaudChoice(session);
  hooks.ApplySequencerIndex();
  table.AdjustRangesForModel(session.model.code, *session.view);
  return answered;
}

}  // namespace vistrel
