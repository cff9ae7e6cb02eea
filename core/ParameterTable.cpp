#include "core/ParameterTable.h"

#include <cstdio>
#include <string>

#include "core/Command.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

namespace {

// Commands whose rows are read back but never sent by WriteChangedParameters.
constexpr int kQueryOnlyCommands[] = {607, 608};
// Command id without a name whose rows are never read.
constexpr int kUnreadableCommand = 119;

bool IsQueryOnly(int commandId) {
  for (int id : kQueryOnlyCommands) {
    if (id == commandId)
      return true;
  }
  return false;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

ParameterTable::ParameterTable(IMessagePresenter& messages)
    : messages_(messages), rows_(InitialParameterRows()) {}

int ParameterTable::FindRow(int ctrlId) const {
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].ctrlId == ctrlId)
      return static_cast<int>(i);
  }
  return -1;
}

void ParameterTable::Report(const std::string& text) {
  messages_.ShowMessage(text, "", MessageIcon::Exclamation);
}

int32_t ParameterTable::GetDataValue(int ctrlId) {
  const int row = FindRow(ctrlId);
  if (row < 0) {
    Report("Unexpected error occurred in GetDataValue().");
    return -1;
  }
  return rows_[static_cast<size_t>(row)].value;
}

bool ParameterTable::SetDataValue(int ctrlId, int32_t value) {
  const int row = FindRow(ctrlId);
  if (row < 0) {
    Report("Unexpected error occurred in SetDataValue().");
    return false;
  }
  rows_[static_cast<size_t>(row)].value = value;
  return true;
}

int32_t ParameterTable::GetLastSentValue(int ctrlId) {
  const int row = FindRow(ctrlId);
  if (row < 0) {
    Report("Unexpected error occurred in GetDataValue().");
    return -1;
  }
  return rows_[static_cast<size_t>(row)].lastSent;
}

void ParameterTable::MarkAllSent() {
  for (ParameterEntry& row : rows_)
    row.lastSent = row.value;
}

int32_t ParameterTable::ToCmdId(int ctrlId) {
  const int row = FindRow(ctrlId);
  if (row < 0) {
    Report("Unexpected error occurred in ToCmdId().");
    return -1;
  }
  return rows_[static_cast<size_t>(row)].commandId;
}

int ParameterTable::CtrlId2TblIndex(int ctrlId) {
  const int row = FindRow(ctrlId);
  if (row < 0)
    Report("Unexpected error occurred in CtrlId2TblIndex().");
  return row;
}

int ParameterTable::ToCtrlId(int commandId) {
  for (const ParameterEntry& row : rows_) {
    if (row.commandId == commandId)
      return row.ctrlId;
  }
  Report(Format("Unexpected error occurred in ToCtrlId(): Command id is %d", commandId));
  return -1;
}

bool ParameterTable::IsFactoryParam(int ctrlId) {
  const int row = FindRow(ctrlId);
  if (row < 0) {
    Report(
        Format("ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in "
               "database table",
               ctrlId, static_cast<unsigned>(ctrlId)));
    return false;
  }
  return rows_[static_cast<size_t>(row)].paramClass == ParamClass::Factory;
}

bool ParameterTable::GetRange(int ctrlId, int32_t& minimum, int32_t& maximum) {
  const int row = CtrlId2TblIndex(ctrlId);
  if (row < 0)
    return false;
  minimum = rows_[static_cast<size_t>(row)].minimum;
  maximum = rows_[static_cast<size_t>(row)].maximum;
  return true;
}

bool ParameterTable::SetRange(int ctrlId, int32_t minimum, int32_t maximum) {
  const int row = CtrlId2TblIndex(ctrlId);
  if (row < 0)
    return false;
  rows_[static_cast<size_t>(row)].minimum = minimum;
  rows_[static_cast<size_t>(row)].maximum = maximum;
  return true;
}

int ParameterTable::IsInFile(int ctrlId) const {
  const int row = FindRow(ctrlId);
  return row < 0 ? 0 : rows_[static_cast<size_t>(row)].inFile;
}

bool ParameterTable::IsReadable(int rowIndex) const {
  if (rowIndex < 0 || rowIndex >= RowCount())
    return false;
  const ParameterEntry& row = Row(rowIndex);
  if (row.kind == ControlKind::Action)
    return false;
  return row.commandId != kUnreadableCommand && row.commandId != cmd::BMPXW &&
         row.commandId != cmd::BMPYW;
}

int ParameterTable::CountReadable() {
  if (countReadable_ < 0) {
    countReadable_ = 0;
    for (int i = 0; i < RowCount(); ++i) {
      if (IsReadable(i))
        ++countReadable_;
    }
  }
  return countReadable_;
}

int ParameterTable::CountReadableUser() {
  if (countReadableUser_ < 0) {
    countReadableUser_ = 0;
    for (int i = 0; i < RowCount(); ++i) {
      if (IsReadable(i) && Row(i).paramClass == ParamClass::User)
        ++countReadableUser_;
    }
  }
  return countReadableUser_;
}

void ParameterTable::ShowAll(IParameterView& view) const {
  for (const ParameterEntry& row : rows_)
    view.ShowParameter(row.ctrlId, row.value);
}

void ParameterTable::ShowChangedParameters(IParameterView& view) const {
  for (const ParameterEntry& row : rows_) {
    if (row.value != row.lastSent)
      view.ShowParameter(row.ctrlId, row.value);
  }
}

Outcome ParameterTable::WriteChangedParameters(Command& engine, IParameterView& view,
                                               int timeoutMs) {
  for (size_t i = 0; i < rows_.size(); ++i) {
    ParameterEntry& row = rows_[i];
    if (row.value == row.lastSent)
      continue;
    if (!IsQueryOnly(row.commandId)) {
      if (const Outcome sent = engine.SetValue(row.commandId, row.value, timeoutMs);
          sent != Outcome::Done) {
        RevertUnsent(engine, view, i, sent);
        return sent;
      }
    }
    row.lastSent = row.value;
    int32_t answer = 0;
    if (engine.GetValue(row.commandId, answer, limits::kReplyMs) == Outcome::Done) {
      row.value = answer;
      view.ShowParameter(row.ctrlId, answer);
    }
  }
  return Outcome::Done;
}

void ParameterTable::RevertUnsent(Command& engine, IParameterView& view, size_t failed,
                                  Outcome outcome) {
  // The camera did not take the setting: the row is asked again while the camera still
  // answers, and every row not sent goes back to what the camera was last known to hold.
  ParameterEntry& refused = rows_[failed];
  int32_t answer = 0;
  if (outcome == Outcome::Refused &&
      engine.GetValue(refused.commandId, answer, limits::kReplyMs) == Outcome::Done)
    refused.lastSent = answer;
  for (size_t i = failed; i < rows_.size(); ++i) {
    ParameterEntry& row = rows_[i];
    if (row.value == row.lastSent)
      continue;
    row.value = row.lastSent;
    view.ShowParameter(row.ctrlId, row.value);
  }
}

void ParameterTable::AdjustRangesForModel(const std::optional<BlemishLimits>& limits,
                                          IParameterView& view) {
  constexpr int kXCommands[] = {cmd::BMPXW, cmd::BMPXWG, cmd::BMPXWB};
  constexpr int kYCommands[] = {cmd::BMPYW, cmd::BMPYWG, cmd::BMPYWB};
  const std::vector<ParameterEntry>& initial = InitialParameterRows();
  auto adjust = [&](int commandId, std::optional<int32_t> modelMax) {
    for (size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].commandId == commandId)
        rows_[i].maximum = modelMax.value_or(initial[i].maximum);
    }
  };
  for (int commandId : kXCommands)
    adjust(commandId, limits ? std::optional(limits->maxX) : std::nullopt);
  for (int commandId : kYCommands)
    adjust(commandId, limits ? std::optional(limits->maxY) : std::nullopt);
  view.ApplyRanges();
  view.RunChoiceChange(ToCtrlId(cmd::ETM));
}

}  // namespace vistrel
