#include "params/EntryTableHandlers.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "camera/EntryTables.h"
#include "camera/SequencerRules.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "core/Conversions.h"
#include "params/ReadOuts.h"

namespace vistrel::EntryTableHandlers {

namespace {

int32_t FieldValue(HandlerContext& context, int ctrlId) {
  return DecimalToInt(context.panel.EditText(ctrlId));
}

// Shows a number in a field and its up-down control.
void ShowNumber(HandlerContext& context, int ctrlId, int32_t value) {
  context.panel.SetEditText(ctrlId, std::to_string(value));
  if (const int spin = context.panel.SpinOfEdit(ctrlId); spin != 0)
    context.panel.SetSpinPosition(spin, value);
}

// The index of a pixel or LUT table goes out as typed, but only when it is a number: any
// other text would end up on the command line unchecked.
bool IsIndexText(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return false;
  size_t i = first;
  if (text[i] == '-' || text[i] == '+')
    ++i;
  const auto end = text.find_last_not_of(' ') + 1;
  return i < end && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i),
                                text.begin() + static_cast<std::ptrdiff_t>(end),
                                [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

void ReadPixelEntry(HandlerContext& context, const PixelTable& table) {
  if (!context.panel.HasControl(table.indexCtrl) || !context.panel.HasControl(table.valueCtrl))
    return;
  const std::string indexText = context.panel.EditText(table.indexCtrl);
  if (!IsIndexText(indexText)) {
    context.session.Messages().ShowMessage("The index is not a whole number: " + indexText, "Error",
                                           MessageIcon::Exclamation);
    return;
  }
  int32_t value = 0;
  if (ReadTableEntry(context.engine, table.commandId, indexText, value) != Outcome::Done)
    return;
  ShowNumber(context, table.valueCtrl, value);
  context.table.SetDataValue(table.valueCtrl, value);
  context.table.MarkAllSent();
}

void WritePixelEntry(HandlerContext& context, const PixelTable& table) {
  WriteTableEntry(context.engine, table, FieldValue(context, table.indexCtrl),
                  FieldValue(context, table.valueCtrl));
}

void OnClearBlemish(HandlerContext& context, const BlemishColour& colour) {
  if (ClearBlemish(context.engine, colour, FieldValue(context, colour.x->indexCtrl)) !=
          Outcome::Done ||
      !colour.readBack)
    return;
  ReadPixelEntry(context, *colour.x);
  ReadPixelEntry(context, *colour.y);
}

void OnCount(HandlerContext& context, const CountReadout& readout) {
  int32_t value = 0;
  if (ReadCount(context.engine, readout, value) == Outcome::Done)
    context.panel.ShowText(readout.field, std::to_string(value));
}

// A sequencer field's value as the camera takes it.
int32_t PageValue(HandlerContext& context, const SequencerField& field) {
  switch (field.kind) {
    case SequencerFieldKind::Binning:
      return context.panel.SelectedIndex(field.ctrlId) + 1;
    case SequencerFieldKind::Choice:
      return context.panel.SelectedIndex(field.ctrlId);
    case SequencerFieldKind::Number:
      break;
  }
  return FieldValue(context, field.ctrlId);
}

std::string FieldNames(const std::vector<const SequencerField*>& fields) {
  std::string names;
  for (const SequencerField* field : fields)
    names += (names.empty() ? "" : ", ") + std::string(field->name);
  return names;
}

void WriteSequencerEntry(HandlerContext& context) {
  const int entry = FieldValue(context, ctl::SequencerIndex);
  const CameraModel& model = context.session.Model();
  const auto fields = SequencerFields();
  SequencerValues values;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (SequencerFieldShown(model, fields[i]))
      values[i] = PageValue(context, fields[i]);
  }
  std::vector<const SequencerField*> failed;
  const Outcome outcome =
      vistrel::WriteSequencerEntry(context.engine, model, entry, values, failed);
  ReadSequencerEntry(context, entry);
  // The fields show what the camera holds; those it did not take stay marked until they are
  // read or written again.
  for (const SequencerField& field : fields) {
    if (SequencerFieldShown(model, field))
      context.panel.MarkUnwritten(field.ctrlId, std::ranges::find(failed, &field) != failed.end());
  }
  if (!failed.empty())
    context.session.Messages().ShowMessage(
        "Sequencer entry " + std::to_string(entry) + ": the camera did not take " +
            FieldNames(failed) + " (" + OutcomeText(outcome) +
            "). The marked fields show what the camera holds; check them and write again.",
        "Error", MessageIcon::Exclamation);
}

// Halves (binning 2) or doubles (binning 1) the width and offset, or height and offset.
void OnSequencerBinning(HandlerContext& context, int ctrlId) {
  const bool horizontal = ctrlId == ctl::SQHB;
  const bool binningTwo = context.panel.SelectedIndex(ctrlId) == 1;
  const int size = horizontal ? ctl::SQW : ctl::SQH;
  const int offset = horizontal ? ctl::SQOX : ctl::SQOY;
  context.panel.SetEditText(
      size, std::to_string(RescaleForBinning(FieldValue(context, size), binningTwo, !horizontal)));
  context.panel.SetEditText(
      offset, std::to_string(RescaleForBinning(FieldValue(context, offset), binningTwo, false)));
  context.panel.ApplyRanges();
  // The binning reaches the camera with the entry; here it is only stored.
  context.table.SetDataValue(ctrlId, context.panel.ReadControlValue(ctrlId).value_or(0));
  context.table.ShowChangedParameters(context.panel);
  context.table.MarkAllSent();
}

void OnMultiRoiSwitch(HandlerContext& context) {
  std::optional<int32_t> wanted;
  SwitchMultiRoi(context.engine, wanted);
  if (!wanted)
    return;  // the camera's mode is unknown: nothing was sent
  ReadOuts::RefreshVideoModeText(context);
  context.panel.SetControlEnabled(ctl::SQM, *wanted == 0);
  int32_t mode = 0;
  if (ReadMultiRoiMode(context.engine, mode) == Outcome::Done)
    context.panel.ShowText(ctl::MultiRoiMode, std::to_string(mode));
}

}  // namespace

void ReadSequencerEntry(HandlerContext& context, int entry) {
  SequencerValues values;
  vistrel::ReadSequencerEntry(context.engine, context.session.Model(), entry, values);
  const bool individualGain = context.panel.SelectedIndex(ctl::IGM) > 0;
  const auto fields = SequencerFields();
  // The binning first: the ranges of the region fields follow it.
  bool binningRead = false;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!values[i] || fields[i].kind != SequencerFieldKind::Binning)
      continue;
    const int ctrlId = fields[i].ctrlId;
    context.panel.SelectIndex(ctrlId, *values[i] - 1);
    context.table.SetDataValue(ctrlId, context.panel.ReadControlValue(ctrlId).value_or(*values[i]));
    context.panel.MarkUnwritten(ctrlId, false);
    binningRead = true;
  }
  if (binningRead)
    context.panel.ApplyRanges();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!values[i] || fields[i].kind == SequencerFieldKind::Binning)
      continue;
    const int ctrlId = fields[i].ctrlId;
    int32_t shown = *values[i];
    if (fields[i].kind == SequencerFieldKind::Choice) {
      context.panel.SelectIndex(ctrlId, shown);
    } else {
      shown = FixedSequencerGain(ctrlId, individualGain).value_or(shown);
      ShowNumber(context, ctrlId, shown);
    }
    context.table.SetDataValue(ctrlId, shown);
    context.panel.MarkUnwritten(ctrlId, false);
  }
  context.table.MarkAllSent();
}

bool OnSelect(HandlerContext& context, int ctrlId) {
  if (ctrlId != ctl::SQHB && ctrlId != ctl::SQVB)
    return false;
  OnSequencerBinning(context, ctrlId);
  return true;
}

bool OnButton(HandlerContext& context, int ctrlId) {
  if (ctrlId == ctl::SequencerWrite) {
    WriteSequencerEntry(context);
    return true;
  }
  if (const PixelTable* table = PixelTableOfButton(ctrlId)) {
    if (ctrlId == table->queryButton)
      ReadPixelEntry(context, *table);
    else
      WritePixelEntry(context, *table);
    return true;
  }
  if (const BlemishColour* colour = BlemishColourOfButton(ctrlId)) {
    OnClearBlemish(context, *colour);
    return true;
  }
  if (const CountReadout* readout = CountReadoutOfButton(ctrlId)) {
    OnCount(context, *readout);
    return true;
  }
  return false;
}

bool OnEdit(HandlerContext& context, int ctrlId) {
  if (ctrlId != ctl::SequencerIndex)
    return false;
  const int32_t entry =
      std::clamp(FieldValue(context, ctrlId), kSequencerFirstEntry, kSequencerLastEntry);
  ShowNumber(context, ctrlId, entry);
  ReadSequencerEntry(context, entry);
  return true;
}

bool OnSpin(HandlerContext& context, int spinId, int32_t position, int32_t step) {
  if (spinId != ctl::SequencerIndexSpin)
    return false;
  const int32_t entry = static_cast<int32_t>(std::clamp<int64_t>(
      static_cast<int64_t>(position) + step, kSequencerFirstEntry, kSequencerLastEntry));
  ShowNumber(context, ctl::SequencerIndex, entry);
  ReadSequencerEntry(context, entry);
  return true;
}

bool OnCheck(HandlerContext& context, int ctrlId) {
  if (ctrlId != ctl::MultiRoiSwitch)
    return false;
  OnMultiRoiSwitch(context);
  return true;
}

}  // namespace vistrel::EntryTableHandlers
