#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vistrel {

// An entry of a choice control: its text and its item value.
struct ChoiceItem {
  std::string text;
  int32_t value;
};

// The item values of the signal choices: the code of the signal an entry names, or -1 for a
// text that names no signal.
int32_t SignalCode(const std::string& text);

// The choice controls whose entries are given item values (signal codes, binning factors,
// tap geometries, gamma values, ...), in the order they are given.
std::vector<int> ValuedChoiceIds();
// The item values for the entries `texts` of a valued choice on a model (by position; a
// list may be shorter than the entries). The pulse generator clear sources take the signal
// codes on the models whose record says so, else their positions.
std::vector<int32_t> ChoiceItemValues(int ctrlId, int modelCode,
                                      const std::vector<std::string>& texts);

// Whether a choice's value is its entry's item value even when that is 0 (on the other
// choices an item value of 0 means the entry's position is the value).
bool ZeroItemValueIsValue(int ctrlId);

// An entry of a choice list that only colour models offer, by its text.
struct ColourOnlyEntry {
  int ctrlId;
  std::string_view text;
};
// The colour-only entries, those of one choice together. An entry that is on no page form
// (today "Horizontal Color Bar Moving") is skipped.
std::span<const ColourOnlyEntry> ColourOnlyEntries();

// The choice lists that are rebuilt at start instead of keeping the page's entries.
struct RefilledChoice {
  int ctrlId;
  std::vector<ChoiceItem> items;
};
const std::vector<RefilledChoice>& RefilledChoices();

namespace CameraLinkCombos {

// The entries of the four Camera Link choices for a Camera Link state.
std::vector<ChoiceItem> ConfigurationItems();
std::vector<ChoiceItem> SensorClockItems();
std::vector<ChoiceItem> PixelFormatItems(int tapGeometry);
std::vector<ChoiceItem> TapGeometryItems(int pixelFormat);

}  // namespace CameraLinkCombos

}  // namespace vistrel
