#include "params/PageLists.h"

#include <array>
#include <string_view>

#include "core/ControlIds.h"
#include "params/CameraLinkCombos.h"

namespace vistrel {

namespace {

struct SignalName {
  std::string_view text;
  int32_t code;
};

// Each signal under every spelling the choice lists use.
constexpr SignalName kSignals[] = {
    {"Low", 0},
    {"High", 1},
    {"Software", 2},
    {"FrameTriggerWait", 5},
    {"FrameActive", 6},
    {"ExposureActive", 7},
    {"FVAL", 8},
    {"Fval", 8},
    {"LVAL", 9},
    {"PulseGenerator0", 10},
    {"PulseGenerator1", 11},
    {"PulseGenerator2", 12},
    {"PulseGenerator3", 13},
    {"UserOutput0", 14},
    {"UserOutput1", 15},
    {"UserOutput2", 16},
    {"UserOutput3", 17},
    {"Line5", 21},
    {"Line5-OptIn1", 21},
    {"Line5_OptIn1", 21},
    {"Line6", 22},
    {"Line6-OptIn2", 22},
    {"Line6_OptIn2", 22},
    {"Line7", 23},
    {"Line7-CC1", 23},
    {"Line7_CC1", 23},
    {"Nand0Out", 26},
    {"Nand0_Out", 26},
    {"Nand1Out", 27},
    {"Nand1_Out", 27},
};

// Trigger source, line sources and NAND inputs.
constexpr std::array kSignalChoices = {1349, 1356, 5126, 2336, 2337, 2338, 2339};
// Pulse generator clear sources.
constexpr std::array kClearSources = {2342, 2343, 2344, 2345};

struct FixedValues {
  int ctrlId;
  std::vector<int32_t> values;
};

const std::vector<FixedValues>& FixedItemValues() {
  static const std::vector<FixedValues> table = {
      {1406, {1, 2}},                                 // HB
      {1408, {1, 2}},                                 // VB
      {1407, {0, 1, 2, 3}},                           // CLCFG
      {5139, {1, 7, 3, 5, 6}},                        // TAGM
      {2571, {45, 50, 55, 60, 65, 75, 80, 90, 100}},  // GMA
      {2798, {0, 1}},                                 // CE0
      {2803, {0, 3}},                                 // CE1
      {2808, {0, 2}},                                 // CE2
      {2858, {10, 12}},                               // 10 / 12 bit
  };
  return table;
}

std::vector<ChoiceItem> Items(std::initializer_list<const char*> texts, int32_t first = 0) {
  std::vector<ChoiceItem> items;
  for (const char* text : texts)
    items.push_back({text, first++});
  return items;
}

void GiveSignalCodes(IControlPanel& panel, int ctrlId) {
  std::vector<int32_t> values;
  for (const std::string& text : panel.ChoiceTexts(ctrlId)) {
    const int32_t code = SignalCode(text);
    values.push_back(code < 0 ? 0 : code);
  }
  panel.SetItemValues(ctrlId, values);
}

}  // namespace

int32_t SignalCode(const std::string& text) {
  for (const SignalName& signal : kSignals) {
    if (signal.text == text)
      return signal.code;
  }
  return -1;
}

void FillPageLists(IControlPanel& panel, int modelCode) {
  for (int ctrlId : kSignalChoices)
    GiveSignalCodes(panel, ctrlId);
  for (int ctrlId : kClearSources) {
    if (modelCode == 2 || modelCode == 3) {
      GiveSignalCodes(panel, ctrlId);
    } else {
      // The other models number the clear sources by their position in the list.
      std::vector<int32_t> positions;
      for (size_t i = 0; i < panel.ChoiceTexts(ctrlId).size(); ++i)
        positions.push_back(static_cast<int32_t>(i));
      panel.SetItemValues(ctrlId, positions);
    }
  }
  for (const FixedValues& fixed : FixedItemValues())
    panel.SetItemValues(fixed.ctrlId, fixed.values);
  panel.RefillChoice(1580, Items({"Off", "Continuous", "Once", "ExposureContinuous", "ExposureOnce",
                                  "Preset3200K", "Preset5000K", "Preset6500K", "Preset7500K"}));
  // The Camera Link lists in full; the handlers narrow them to the Camera Link state.
  panel.RefillChoice(ctl::CLCF, CameraLinkCombos::SensorClockItems());
  panel.RefillChoice(ctl::BA, CameraLinkCombos::PixelFormatItems(0));
  panel.RefillChoice(2785, Items({"Off", "x2"}, 1));
  panel.RefillChoice(2786, Items({"Off", "x2"}, 1));
}

}  // namespace vistrel
