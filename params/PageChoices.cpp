#include "params/PageChoices.h"

#include <map>

#include "params/PageLists.h"

namespace vistrel {
namespace {

struct FormChoice {
  int ctrlId;
  std::vector<std::string> texts;
};

const std::map<int, std::vector<std::string>>& FormChoices() {
  static const std::map<int, std::vector<std::string>> choices = [] {
    const FormChoice table[] = {
#include "ChoiceTexts.inc"
    };
    std::map<int, std::vector<std::string>> byId;
    for (const FormChoice& choice : table)
      byId[choice.ctrlId] = choice.texts;
    return byId;
  }();
  return choices;
}

// The pages without widgets: choice lists as the forms have them, with the item values and
// refilled lists that the list filling gives them. Everything else is not there.
class ChoiceRecorder final : public IControlPanel {
 public:
  std::vector<ChoiceItem> Entries(int ctrlId) const {
    if (auto refilled = refilled_.find(ctrlId); refilled != refilled_.end())
      return refilled->second;
    const std::vector<std::string>& texts = PageChoiceTexts(ctrlId);
    const auto values = values_.find(ctrlId);
    std::vector<ChoiceItem> items;
    for (size_t i = 0; i < texts.size(); ++i) {
      const bool valued = values != values_.end() && i < values->second.size();
      items.push_back({texts[i], valued ? values->second[i] : static_cast<int32_t>(i)});
    }
    return items;
  }

  void ShowParameter(int, int32_t) override {}
  int SpinOfEdit(int) const override { return 0; }
  int EditOfSpin(int) const override { return 0; }
  std::string EditText(int) const override { return {}; }
  void SetEditText(int, const std::string&) override {}
  int32_t SetSpinPosition(int, int32_t position) override { return position; }
  int32_t SpinPosition(int) const override { return 0; }
  bool SpinRange(int, int32_t&, int32_t&) const override { return false; }
  void SetSpinRange(int, int32_t, int32_t) override {}
  bool RadioGroupOf(int, int&, int&) const override { return false; }
  std::vector<std::string> ChoiceTexts(int ctrlId) const override {
    return PageChoiceTexts(ctrlId);
  }
  void SetItemValues(int ctrlId, const std::vector<int32_t>& values) override {
    values_[ctrlId] = values;
  }
  void RefillChoice(int ctrlId, const std::vector<ChoiceItem>& items) override {
    refilled_[ctrlId] = items;
  }

 private:
  std::map<int, std::vector<int32_t>> values_;
  std::map<int, std::vector<ChoiceItem>> refilled_;
};

}  // namespace

const std::vector<std::string>& PageChoiceTexts(int ctrlId) {
  static const std::vector<std::string> kNone;
  const auto& choices = FormChoices();
  const auto found = choices.find(ctrlId);
  return found == choices.end() ? kNone : found->second;
}

std::vector<int> PageChoiceIds() {
  std::vector<int> ids;
  for (const auto& [ctrlId, texts] : FormChoices())
    ids.push_back(ctrlId);
  return ids;
}

std::vector<ChoiceItem> PageChoiceEntries(int ctrlId, int modelCode) {
  ChoiceRecorder pages;
  FillPageLists(pages, modelCode);
  return pages.Entries(ctrlId);
}

}  // namespace vistrel
