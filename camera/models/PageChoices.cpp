#include "camera/models/PageChoices.h"

#include <map>

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
  // A list rebuilt at start has the entries it is rebuilt with.
  for (const RefilledChoice& refilled : RefilledChoices()) {
    if (refilled.ctrlId == ctrlId)
      return refilled.items;
  }
  const std::vector<std::string>& texts = PageChoiceTexts(ctrlId);
  const std::vector<int32_t> values = ChoiceItemValues(ctrlId, modelCode, texts);
  std::vector<ChoiceItem> items;
  for (size_t i = 0; i < texts.size(); ++i)
    items.push_back({texts[i], i < values.size() ? values[i] : static_cast<int32_t>(i)});
  return items;
}

}  // namespace vistrel
