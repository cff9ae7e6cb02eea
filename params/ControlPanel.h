#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera/models/ChoiceLists.h"
#include "core/Interfaces.h"

namespace vistrel {

// The parameter controls as the handlers see them: besides showing and reading values by
// control id, the number fields with their up-down controls, the radio groups and the
// entries of the choice controls.
class IControlPanel : public IParameterView {
 public:
  // The up-down control linked to a number field; 0 when it has none.
  virtual int SpinOfEdit(int editId) const = 0;
  // The number field an up-down control belongs to; 0 when it has none.
  virtual int EditOfSpin(int spinId) const = 0;
  virtual std::string EditText(int editId) const = 0;
  virtual void SetEditText(int editId, const std::string& text) = 0;
  // Sets the position (clamped to the range, as the control does) and returns it.
  virtual int32_t SetSpinPosition(int spinId, int32_t position) = 0;
  virtual int32_t SpinPosition(int spinId) const = 0;
  virtual bool SpinRange(int spinId, int32_t& minimum, int32_t& maximum) const = 0;
  virtual void SetSpinRange(int spinId, int32_t minimum, int32_t maximum) = 0;
  // The first button of the clicked button's radio group and the clicked button's position
  // in it; false when `buttonId` is no radio button.
  virtual bool RadioGroupOf(int buttonId, int& firstId, int& position) const = 0;
  // The texts of the entries of a choice control.
  virtual std::vector<std::string> ChoiceTexts(int ctrlId) const = 0;
  // Gives the entries of a choice control item values (by position; extra values ignored).
  virtual void SetItemValues(int ctrlId, const std::vector<int32_t>& values) = 0;
  // Replaces the entries of a choice control, keeping no selection.
  virtual void RefillChoice(int ctrlId, const std::vector<ChoiceItem>& items) = 0;
  // The rest have defaults for panels that hold only values (the command-line tool's).
  // The selected entry of a choice control by position; -1 when none is selected.
  virtual int SelectedIndex(int ctrlId) const {
    (void)ctrlId;
    return -1;
  }
  // Selects an entry by position (-1 clears the selection) without a change notification.
  virtual void SelectIndex(int ctrlId, int index) { (void)ctrlId, (void)index; }
  // Removes the entry with exactly this text; false when there is none.
  virtual bool RemoveChoiceItem(int ctrlId, const std::string& text) {
    (void)ctrlId, (void)text;
    return false;
  }

  // Enabling and showing controls (and their group boxes and captions, which have ids too).
  virtual void SetControlEnabled(int ctrlId, bool enabled) { (void)ctrlId, (void)enabled; }
  virtual bool ControlEnabled(int ctrlId) const {
    (void)ctrlId;
    return true;
  }
  virtual void SetControlVisible(int ctrlId, bool visible) { (void)ctrlId, (void)visible; }
  virtual bool ControlVisible(int ctrlId) const {
    (void)ctrlId;
    return true;
  }
  // Shows a text in a read-only field, a caption or a group box title.
  virtual void ShowText(int ctrlId, const std::string& text) { (void)ctrlId, (void)text; }
  // Marks a field whose value the camera did not take; the mark stays until it is cleared.
  virtual void MarkUnwritten(int ctrlId, bool unwritten) { (void)ctrlId, (void)unwritten; }
  virtual std::string ControlText(int ctrlId) const {
    (void)ctrlId;
    return {};
  }
  // Whether a control with this id exists on the pages.
  virtual bool HasControl(int ctrlId) const {
    (void)ctrlId;
    return false;
  }
};

}  // namespace vistrel
