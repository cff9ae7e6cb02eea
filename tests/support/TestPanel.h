#pragma once

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "params/ControlPanel.h"

namespace vistrel::test {

// The pages without widgets: number fields with their up-down controls, choices with
// entries and item values, and the enabled, shown and text state of every control. Handler
// tests declare the controls they use and then read what the handlers did to them.
class TestPanel : public IControlPanel {
 public:
  struct Choice {
    std::vector<ChoiceItem> items;
    int selected = -1;
  };
  struct Spin {
    int edit = 0;
    int32_t position = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
  };

  // Declares a number field with an up-down control and its range.
  void AddNumber(int editId, int spinId, int32_t minimum, int32_t maximum) {
    edits_[editId] = "0";
    spins_[spinId] = Spin{editId, minimum, minimum, maximum};
    spinOfEdit_[editId] = spinId;
  }
  // Declares a choice; entries without item values count by position.
  void AddChoice(int ctrlId, const std::vector<std::string>& texts, int selected = 0) {
    Choice choice;
    for (size_t i = 0; i < texts.size(); ++i)
      choice.items.push_back({texts[i], static_cast<int32_t>(i)});
    choice.selected = texts.empty() ? -1 : selected;
    choices_[ctrlId] = choice;
  }
  void AddControl(int ctrlId) { others_.insert(ctrlId); }
  // What the operator does before a handler runs.
  void Type(int editId, const std::string& text) { edits_[editId] = text; }
  void Pick(int ctrlId, int index) { choices_.at(ctrlId).selected = index; }
  void Check(int ctrlId, bool checked) { checks_[ctrlId] = checked ? 1 : 0; }

  const Spin& SpinOf(int spinId) const { return spins_.at(spinId); }

  // IParameterView
  void ShowParameter(int ctrlId, int32_t value) override {
    if (const int spin = SpinOfEdit(ctrlId); spin != 0)
      SetSpinPosition(spin, value);
    if (edits_.contains(ctrlId)) {
      edits_[ctrlId] = std::to_string(value);
    } else if (auto it = choices_.find(ctrlId); it != choices_.end()) {
      Choice& choice = it->second;
      const auto match = std::ranges::find_if(
          choice.items, [value](const ChoiceItem& item) { return item.value == value; });
      choice.selected =
          match != choice.items.end() ? static_cast<int>(match - choice.items.begin()) : -1;
    } else if (checks_.contains(ctrlId)) {
      checks_[ctrlId] = value;
    }
  }
  std::optional<int32_t> ReadControlValue(int ctrlId) override {
    if (auto it = edits_.find(ctrlId); it != edits_.end()) {
      int32_t value = 0;
      const std::string& text = it->second;
      std::from_chars(text.data(), text.data() + text.size(), value);
      return value;
    }
    if (auto it = choices_.find(ctrlId); it != choices_.end()) {
      const Choice& choice = it->second;
      if (choice.selected < 0)
        return std::nullopt;
      return choice.items[static_cast<size_t>(choice.selected)].value;
    }
    if (auto it = checks_.find(ctrlId); it != checks_.end())
      return it->second;
    return std::nullopt;
  }
  void ApplyRanges() override { ++rangesApplied; }
  int rangesApplied = 0;

  // IControlPanel
  int SpinOfEdit(int editId) const override {
    const auto it = spinOfEdit_.find(editId);
    return it == spinOfEdit_.end() ? 0 : it->second;
  }
  int EditOfSpin(int spinId) const override {
    const auto it = spins_.find(spinId);
    return it == spins_.end() ? 0 : it->second.edit;
  }
  std::string EditText(int editId) const override {
    const auto it = edits_.find(editId);
    return it == edits_.end() ? std::string() : it->second;
  }
  void SetEditText(int editId, const std::string& text) override { edits_[editId] = text; }
  int32_t SetSpinPosition(int spinId, int32_t position) override {
    auto it = spins_.find(spinId);
    if (it == spins_.end())
      return position;
    Spin& spin = it->second;
    spin.position = std::clamp(position, spin.minimum, spin.maximum);
    return spin.position;
  }
  int32_t SpinPosition(int spinId) const override {
    const auto it = spins_.find(spinId);
    return it == spins_.end() ? 0 : it->second.position;
  }
  bool SpinRange(int spinId, int32_t& minimum, int32_t& maximum) const override {
    const auto it = spins_.find(spinId);
    if (it == spins_.end())
      return false;
    minimum = it->second.minimum;
    maximum = it->second.maximum;
    return true;
  }
  void SetSpinRange(int spinId, int32_t minimum, int32_t maximum) override {
    auto it = spins_.find(spinId);
    if (it == spins_.end())
      return;
    it->second.minimum = minimum;
    it->second.maximum = maximum;
  }
  bool RadioGroupOf(int, int&, int&) const override { return false; }
  std::vector<std::string> ChoiceTexts(int ctrlId) const override {
    std::vector<std::string> texts;
    if (auto it = choices_.find(ctrlId); it != choices_.end()) {
      for (const ChoiceItem& item : it->second.items)
        texts.push_back(item.text);
    }
    return texts;
  }
  void SetItemValues(int ctrlId, const std::vector<int32_t>& values) override {
    auto it = choices_.find(ctrlId);
    if (it == choices_.end())
      return;
    for (size_t i = 0; i < it->second.items.size() && i < values.size(); ++i)
      it->second.items[i].value = values[i];
  }
  void RefillChoice(int ctrlId, const std::vector<ChoiceItem>& items) override {
    choices_[ctrlId] = Choice{items, -1};
  }
  int SelectedIndex(int ctrlId) const override {
    const auto it = choices_.find(ctrlId);
    return it == choices_.end() ? -1 : it->second.selected;
  }
  void SelectIndex(int ctrlId, int index) override {
    auto it = choices_.find(ctrlId);
    if (it != choices_.end())
      it->second.selected = index < static_cast<int>(it->second.items.size()) ? index : -1;
  }
  bool RemoveChoiceItem(int ctrlId, const std::string& text) override {
    auto it = choices_.find(ctrlId);
    if (it == choices_.end())
      return false;
    auto& items = it->second.items;
    const auto match =
        std::ranges::find_if(items, [&text](const ChoiceItem& item) { return item.text == text; });
    if (match == items.end())
      return false;
    items.erase(match);
    return true;
  }
  void SetControlEnabled(int ctrlId, bool enabled) override {
    if (enabled)
      disabled_.erase(ctrlId);
    else
      disabled_.insert(ctrlId);
  }
  bool ControlEnabled(int ctrlId) const override { return !disabled_.contains(ctrlId); }
  void SetControlVisible(int ctrlId, bool visible) override {
    if (visible)
      hidden_.erase(ctrlId);
    else
      hidden_.insert(ctrlId);
  }
  bool ControlVisible(int ctrlId) const override { return !hidden_.contains(ctrlId); }
  void ShowText(int ctrlId, const std::string& text) override { texts_[ctrlId] = text; }
  void MarkUnwritten(int ctrlId, bool unwritten) override {
    if (unwritten)
      unwritten_.insert(ctrlId);
    else
      unwritten_.erase(ctrlId);
  }
  bool Unwritten(int ctrlId) const { return unwritten_.contains(ctrlId); }
  std::string ControlText(int ctrlId) const override {
    const auto it = texts_.find(ctrlId);
    return it == texts_.end() ? EditText(ctrlId) : it->second;
  }
  bool HasControl(int ctrlId) const override {
    return edits_.contains(ctrlId) || spins_.contains(ctrlId) || choices_.contains(ctrlId) ||
           checks_.contains(ctrlId) || others_.contains(ctrlId);
  }

 private:
  std::map<int, std::string> edits_;
  std::map<int, Spin> spins_;
  std::map<int, int> spinOfEdit_;
  std::map<int, Choice> choices_;
  std::map<int, int32_t> checks_;
  std::set<int> others_;
  std::set<int> disabled_;
  std::set<int> hidden_;
  std::set<int> unwritten_;
  std::map<int, std::string> texts_;
};

}  // namespace vistrel::test
