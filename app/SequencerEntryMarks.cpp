#include "app/SequencerEntryMarks.h"

#include <QtWidgets/QWidget>
#include <algorithm>
#include <array>
#include <string>

#include "core/ControlIds.h"
#include "core/Interfaces.h"

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

bool SequencerEntryMarks::IsEntryField(int ctrlId) const {
  if (std::ranges::find(kSequencerEntryFields, ctrlId) != kSequencerEntryFields.end())
    return true;
  const int edit = registry_.EditOfSpin(ctrlId);
  return edit != 0 && std::ranges::find(kSequencerEntryFields, edit) != kSequencerEntryFields.end();
}

void SequencerEntryMarks::MarkEdited(int ctrlId) {
  const int edit = registry_.EditOfSpin(ctrlId);
  const int field = edit != 0 ? edit : ctrlId;
  if (QWidget* control = registry_.FindControl(field);
      control != nullptr && unwritten_.insert(field).second)
    control->setStyleSheet(kUnwrittenStyle);
}

void SequencerEntryMarks::Clear() {
  for (int field : unwritten_) {
    if (QWidget* control = registry_.FindControl(field))
      control->setStyleSheet({});
  }
  unwritten_.clear();
}

bool SequencerEntryMarks::MayChange(Notification what, int ctrlId) {
  const bool indexChange = (what == Notification::EditCommitted && ctrlId == ctl::SequencerIndex) ||
                           (what == Notification::Spin && ctrlId == ctl::SequencerIndexSpin);
  if (!indexChange || unwritten_.empty())
    return true;
  const int32_t shown = registry_.SpinPosition(ctl::SequencerIndexSpin);
  const std::string question = "The changes to entry " + std::to_string(shown) +
                               " have not been written to the camera (Write Entry).\n"
                               "Show another entry and discard them?";
  if (messages_.AskYesNo(question, kEntryCaption)) {
    Clear();
    return true;
  }
  registry_.SetEditText(ctl::SequencerIndex, std::to_string(shown));
  return false;
}

void SequencerEntryMarks::NoteChange(Notification what, int ctrlId) {
  if (ctrlId == ctl::SequencerWrite) {
    // The write marked the fields the camera did not take: they stay unwritten with that
    // mark; the others are written.
    std::erase_if(unwritten_, [this](int field) {
      if (registry_.MarkedUnwritten(field))
        return false;
      if (QWidget* control = registry_.FindControl(field))
        control->setStyleSheet({});
      return true;
    });
    return;
  }
  if (what != Notification::ButtonClicked && IsEntryField(ctrlId))
    MarkEdited(ctrlId);
}

}  // namespace vistrel
