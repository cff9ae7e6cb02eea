// The main dialog and the sequencer entry of the page: its fields take effect only with
// "Write Entry", so edits not yet written are marked, and an index change asks before it
// replaces them with another entry.
#include <QtWidgets/QWidget>
#include <algorithm>
#include <array>
#include <string>

#include "app/VistrelDlg.h"
#include "core/ControlIds.h"
#include "core/Outcome.h"

namespace vistrel {

namespace {

// The fields of one sequencer entry.
constexpr std::array kSequencerEntryFields = {
    ctl::SQF,  ctl::SQNI, ctl::SQW,   ctl::SQH,   ctl::SQOX,  ctl::SQOY,
    ctl::SQGA, ctl::SQPE, ctl::SQHB,  ctl::SQVB,  ctl::SQLUT, ctl::SQBL,
    ctl::SQGR, ctl::SQGB, ctl::SQPER, ctl::SQPEG, ctl::SQPEB, ctl::SQGG};

constexpr const char* kUnwrittenStyle = "background-color: #fff0a0;";
constexpr const char* kEntryCaption = "Sequencer";

}  // namespace

bool CVistrelDlg::IsSequencerEntryField(int ctrlId) const {
  if (std::ranges::find(kSequencerEntryFields, ctrlId) != kSequencerEntryFields.end())
    return true;
  const int edit = registry_->EditOfSpin(ctrlId);
  return edit != 0 && std::ranges::find(kSequencerEntryFields, edit) != kSequencerEntryFields.end();
}

void CVistrelDlg::MarkEntryEdited(int ctrlId) {
  const int edit = registry_->EditOfSpin(ctrlId);
  const int field = edit != 0 ? edit : ctrlId;
  if (QWidget* control = registry_->FindControl(field);
      control != nullptr && unwrittenEntry_.insert(field).second)
    control->setStyleSheet(kUnwrittenStyle);
}

void CVistrelDlg::ClearEntryMarks() {
  for (int field : unwrittenEntry_) {
    if (QWidget* control = registry_->FindControl(field))
      control->setStyleSheet({});
  }
  unwrittenEntry_.clear();
}

bool CVistrelDlg::EntryMayChange(Notification what, int ctrlId) {
  const bool indexChange = (what == Notification::EditCommitted && ctrlId == ctl::SequencerIndex) ||
                           (what == Notification::Spin && ctrlId == ctl::SequencerIndexSpin);
  if (!indexChange || unwrittenEntry_.empty())
    return true;
  const int32_t shown = registry_->SpinPosition(ctl::SequencerIndexSpin);
  const std::string question = "The changes to entry " + std::to_string(shown) +
                               " have not been written to the camera (Write Entry).\n"
                               "Show another entry and discard them?";
  if (services_.messages.AskYesNo(question, kEntryCaption)) {
    ClearEntryMarks();
    return true;
  }
  registry_->SetEditText(ctl::SequencerIndex, std::to_string(shown));
  return false;
}

void CVistrelDlg::NoteEntryChange(Notification what, int ctrlId) {
  if (ctrlId == ctl::SequencerWrite) {
    // The write marked the fields the camera did not take: they stay unwritten with that
    // mark; the others are written.
    std::erase_if(unwrittenEntry_, [this](int field) {
      if (registry_->MarkedUnwritten(field))
        return false;
      if (QWidget* control = registry_->FindControl(field))
        control->setStyleSheet({});
      return true;
    });
    return;
  }
  if (what != Notification::ButtonClicked && IsSequencerEntryField(ctrlId))
    MarkEntryEdited(ctrlId);
}

}  // namespace vistrel
