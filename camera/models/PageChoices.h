#pragma once

#include <string>
#include <vector>

#include "camera/models/ChoiceLists.h"

namespace vistrel {

// The entry texts the page forms give a choice control; empty for a control that has none
// of its own (a list that is filled at start) or no choice control.
const std::vector<std::string>& PageChoiceTexts(int ctrlId);

// The choice controls of the page forms, by id.
std::vector<int> PageChoiceIds();

// The entries of a choice control with the values they stand for, as the pages have them for
// the model: the item values the lists are given, else the entry's position.
std::vector<ChoiceItem> PageChoiceEntries(int ctrlId, int modelCode);

}  // namespace vistrel
