#pragma once

#include <cstdint>
#include <string>
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
