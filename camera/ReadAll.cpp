#include "camera/ReadAll.h"

#include "camera/BaudChoice.h"
#include "camera/PassOutcome.h"
#include "camera/models/ModelCatalogue.h"
#include "core/CommandIds.h"
#include "core/CommandTable.h"
#include "core/ControlIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;

// Keeps the Camera Link state and converts the values whose choices need an entry index.
void NoteValue(CameraSession& session, const ParameterEntry& row, int32_t value) {
  if (row.ctrlId == ctl::GMA)
    session.Choices().SelectChoiceEntry(ctl::GMA, GammaEntryFor(value));
  if (row.ctrlId == ctl::CameraBaud) {
    session.Choices().SelectChoiceEntry(ctl::CameraBaud, CameraBaudEntryFor(value));
  }
  session.NoteLinkValue(row.ctrlId, value);
}

}  // namespace

bool IsRowReadForModel(const CameraSession& session, int rowIndex) {
  const ParameterEntry& row = session.Table().Row(rowIndex);
  if (!ModelSupportsControl(session.Model().code, row.ctrlId))
    return false;
  if (row.paramClass == ParamClass::Factory && !session.FactoryMode())
    return false;
  if (!session.Table().IsReadable(rowIndex))
    return false;
  if (session.Model().IsMonochrome() && ExcludedForMonochrome(row.commandId))
    return false;
  return true;
}

ReadAllResult ReadAll(CameraSession& session) {
  return ReadAllRows(session, PassOutcome());
}

ReadAllResult ReadAllRows(CameraSession& session, PassOutcome pass) {
  ParameterTable& table = session.Table();
  const int total = session.FactoryMode() ? table.CountReadable() : table.CountReadableUser();
  session.Progress().Begin("Now, reading camera settings.");
  session.Progress().OfferCancel();
  ReadAllResult result;
  int count = 0;
  for (int i = 0; i < table.RowCount(); ++i) {
    if (!IsRowReadForModel(session, i))
      continue;
    const ParameterEntry& row = table.Row(i);
    int32_t value = 0;
    if (CommandTable::Name(row.commandId).empty()) {
      // A row without a command name is never sent: it has nothing to read.
    } else if (pass.GivenUp() || session.Progress().Cancelled()) {
      result.cancelled = !pass.GivenUp();
      result.unread.push_back(i);
    } else if (const Outcome read = session.Engine().GetValue(row.commandId, value, kQueryMs);
               read == Outcome::Done) {
      table.SetDataValue(row.ctrlId, value);
      NoteValue(session, row, value);
      result.read.push_back(i);
      pass.NoteSuccess();
    } else {
      result.unread.push_back(i);
      pass.NoteFailure(session.Engine(), read);
    }
    ++count;
    session.Progress().Update(total > 0 ? count * 100 / total : 100);
    session.Windows().PumpEvents();
  }
  result.outcome = pass.Result();
  result.ran = true;
  session.Progress().End();
  session.RecordRead(result);
  session.Windows().ActivateMainWindow();
  int32_t videoMode = 0;
  if (result.Complete() &&
      session.Engine().GetValue(cmd::VSM, videoMode, kQueryMs) == Outcome::Done) {
    session.Choices().ShowVideoMode(videoMode);
  }
  return result;
}

namespace {

// The names of the first unread rows, and how many more there are.
std::string UnreadNames(const std::vector<int>& rows, const RowNamer& nameOf) {
  constexpr size_t kNamesShown = 8;
  const std::vector<ParameterEntry>& table = InitialParameterRows();
  std::string names;
  for (size_t i = 0; i < rows.size() && i < kNamesShown; ++i) {
    if (!names.empty())
      names += ", ";
    const std::string name = nameOf ? nameOf(rows[i]) : std::string();
    names +=
        name.empty() ? CommandTable::Name(table[static_cast<size_t>(rows[i])].commandId) : name;
  }
  if (rows.size() > kNamesShown)
    names += " and " + std::to_string(rows.size() - kNamesShown) + " more";
  return names;
}

}  // namespace

std::string UnreadMessage(const ReadAllResult& result, const RowNamer& nameOf) {
  if (result.Complete())
    return {};
  const std::string counts = std::to_string(result.unread.size()) + " of " +
                             std::to_string(result.read.size() + result.unread.size()) +
                             " camera settings ";
  std::string text = result.cancelled
                         ? "The reading was cancelled: " + counts + "were not read."
                         : counts + "could not be read (" + OutcomeText(result.outcome) + ").";
  if (!result.modelAnswered) {
    const bool silent = !Answered(result.outcome);
    text = std::string(silent ? "The camera does not answer."
                              : "The camera did not answer the "
                                "model query.") +
           "\n" + text;
  }
  if (!result.unread.empty())
    text += "\nNot read: " + UnreadNames(result.unread, nameOf) + ".";
  return text;
}

void FillCameraBaudChoice(CameraSession& session) {
  int32_t mask = 0;
  if (session.Engine().GetValue(cmd::SBDRT, mask, kQueryMs) != Outcome::Done)
    mask = 0;
  const std::vector<ChoiceEntry> entries = CameraBaudEntries(mask);
  int32_t current = 0;
  int selected = 0;
  if (session.Engine().GetValue(cmd::FCBDRT, current, kQueryMs) == Outcome::Done) {
    selected = CameraBaudEntryFor(current);
  }
  session.Choices().FillCameraBaudChoice(entries, selected);
}

std::string NotSavedMessage(const ReadAllResult& result) {
  static constexpr const char* kNotWritten =
      "The file was not written. Read the settings again (Reload) and save once they are all "
      "read.";
  if (result.read.empty() && result.unread.empty())
    return std::string("The camera's settings have not been read.\n") + kNotWritten;
  return UnreadMessage(result) + "\n" + kNotWritten;
}

ReadAllResult Reload(CameraSession& session) {
  IWindowHooks& windows = session.Windows();
  IPageRefresh& pages = session.Pages();
  ParameterTable& table = session.Table();
  windows.LockWindows(true);
  const Outcome checked = session.CheckModelOnce();
  const bool answered = checked == Outcome::Done;
  PassOutcome modelCheck;
  // A camera that does not answer its model query is not asked for every setting in turn.
  if (!Answered(checked))
    modelCheck.GiveUp(checked);
  else if (!answered)
    modelCheck.NoteFailure(session.Engine(), checked);
  session.Choices().FillModelChoice(ModelChoiceEntries(session.Model().code),
                                    ModelChoiceSelection(session.Model().code));
  pages.PreparePagesForModel(session.Model());
  ReadAllResult result = ReadAllRows(session, modelCheck);
  result.modelAnswered = answered;
  session.RecordRead(result);
  // After a lost channel or a silent camera, the exchanges below would only wait.
  const bool reachable =
      result.outcome != Outcome::ChannelLost && result.outcome != Outcome::NoReply;
  table.ShowAll(session.View());
  table.MarkAllSent();
  if (reachable)
    table.WriteChangedParameters(session.Engine(), session.View(), kQueryMs);
  table.MarkAllSent();
  table.ShowAll(session.View());
  pages.RefreshDependentStates();
  windows.LockWindows(false);
  pages.RefreshRemainingPages();
  if (reachable)
    FillCameraBaudChoice(session);
  pages.ApplySequencerIndex();
  table.AdjustRangesForModel(session.Model().Record().blemishLimits, session.View());
  return result;
}

}  // namespace vistrel
