#include "camera/models/ChoiceLists.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "camera/models/ModelCatalogue.h"
#include "core/ControlIds.h"

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
constexpr std::array kSignalChoices = {ctl::TI,     ctl::LS0,    ctl::LS1,   ctl::ND0IN1,
                                       ctl::ND0IN2, ctl::ND1IN1, ctl::ND1IN2};
// Pulse generator clear sources.
constexpr std::array kClearSources = {ctl::PGIN0, ctl::PGIN1, ctl::PGIN2, ctl::PGIN3};

// The Camera Link choices and the sequencer's binnings and LUT take their item value as it
// is, 0 included.
constexpr std::array kZeroValueChoices = {ctl::CLCF,  ctl::BA,   ctl::CLCFG, ctl::TAGM,
                                          ctl::SQLUT, ctl::SQHB, ctl::SQVB};

constexpr ColourOnlyEntry kColourOnlyEntries[] = {
    {ctl::TPN, "Horizontal Colorbar"},
    {ctl::TPN, "Vertical Colorbar"},
    {ctl::TPN, "Horizontal Color Bar Moving"},
    {ctl::SDCM, "Color Shading"},
};

struct FixedValues {
  int ctrlId;
  std::vector<int32_t> values;
};

const std::vector<FixedValues>& FixedItemValues() {
  static const std::vector<FixedValues> table = {
      {ctl::HB, {1, 2}},
      {ctl::VB, {1, 2}},
      {ctl::CLCFG, {0, 1, 2, 3}},
      {ctl::TAGM, {1, 7, 3, 5, 6}},
      {ctl::GMA, {45, 50, 55, 60, 65, 75, 80, 90, 100}},
      {ctl::CE0, {0, 1}},
      {ctl::CE1, {0, 3}},
      {ctl::CE2, {0, 2}},
      {ctl::HighSpeedBitDepth, {10, 12}},
  };
  return table;
}

std::vector<ChoiceItem> Items(std::initializer_list<const char*> texts, int32_t first = 0) {
  std::vector<ChoiceItem> items;
  for (const char* text : texts)
    items.push_back({text, first++});
  return items;
}

std::vector<int32_t> SignalCodes(const std::vector<std::string>& texts) {
  std::vector<int32_t> values;
  for (const std::string& text : texts) {
    const int32_t code = SignalCode(text);
    values.push_back(code < 0 ? 0 : code);
  }
  return values;
}

std::vector<int32_t> Positions(const std::vector<std::string>& texts) {
  std::vector<int32_t> positions;
  for (size_t i = 0; i < texts.size(); ++i)
    positions.push_back(static_cast<int32_t>(i));
  return positions;
}

// Tap geometries whose pixel formats stop at Mono8 or Mono10.
constexpr int kTapGeometry1X10 = 6;
constexpr int kTapGeometry1X3 = 7;
constexpr int kTapGeometry1X8 = 5;
constexpr int kMono10 = 1;
constexpr int kMono12 = 2;

}  // namespace

int32_t SignalCode(const std::string& text) {
  for (const SignalName& signal : kSignals) {
    if (signal.text == text)
      return signal.code;
  }
  return -1;
}

std::vector<int> ValuedChoiceIds() {
  std::vector<int> ids(kSignalChoices.begin(), kSignalChoices.end());
  ids.insert(ids.end(), kClearSources.begin(), kClearSources.end());
  for (const FixedValues& fixed : FixedItemValues())
    ids.push_back(fixed.ctrlId);
  return ids;
}

std::vector<int32_t> ChoiceItemValues(int ctrlId, int modelCode,
                                      const std::vector<std::string>& texts) {
  if (std::ranges::find(kSignalChoices, ctrlId) != kSignalChoices.end())
    return SignalCodes(texts);
  if (std::ranges::find(kClearSources, ctrlId) != kClearSources.end())
    return RecordForCode(modelCode).clearSourcesBySignal ? SignalCodes(texts) : Positions(texts);
  for (const FixedValues& fixed : FixedItemValues()) {
    if (fixed.ctrlId == ctrlId)
      return fixed.values;
  }
  return {};
}

bool ZeroItemValueIsValue(int ctrlId) {
  return std::ranges::find(kZeroValueChoices, ctrlId) != kZeroValueChoices.end();
}

std::span<const ColourOnlyEntry> ColourOnlyEntries() {
  return kColourOnlyEntries;
}

const std::vector<RefilledChoice>& RefilledChoices() {
  static const std::vector<RefilledChoice> refilled = {
      {ctl::AWB, Items({"Off", "Continuous", "Once", "ExposureContinuous", "ExposureOnce",
                        "Preset3200K", "Preset5000K", "Preset6500K", "Preset7500K"})},
      // The Camera Link lists in full; the handlers narrow them to the Camera Link state.
      {ctl::CLCF, CameraLinkCombos::SensorClockItems()},
      {ctl::BA, CameraLinkCombos::PixelFormatItems(0)},
      {ctl::SQHB, Items({"Off", "x2"}, 1)},
      {ctl::SQVB, Items({"Off", "x2"}, 1)},
  };
  return refilled;
}

namespace CameraLinkCombos {

std::vector<ChoiceItem> ConfigurationItems() {
  return {{"Base", 0}, {"Medium", 1}, {"Full", 2}, {"Eighty-Bit", 3}};
}

std::vector<ChoiceItem> SensorClockItems() {
  return {{"37.1MHz", 0}, {"74.3MHz", 1}, {"84.9MHz", 2}};
}

std::vector<ChoiceItem> PixelFormatItems(int tapGeometry) {
  if (tapGeometry == kTapGeometry1X10 || tapGeometry == kTapGeometry1X3)
    return {{"Mono8", 0}};
  if (tapGeometry == kTapGeometry1X8)
    return {{"Mono8", 0}, {"Mono10", 1}};
  return {{"Mono8", 0}, {"Mono10", 1}, {"Mono12", 2}};
}

std::vector<ChoiceItem> TapGeometryItems(int pixelFormat) {
  if (pixelFormat == kMono10)
    return {{"1X2_1Y", 1}, {"1X4_1Y", 3}, {"1X8_1Y", 5}};
  if (pixelFormat == kMono12)
    return {{"1X2_1Y", 1}, {"1X4_1Y", 3}};
  return {{"1X2_1Y", 1}, {"1X3_1Y", 7}, {"1X4_1Y", 3}, {"1X8_1Y", 5}, {"1X10_1Y", 6}};
}

}  // namespace CameraLinkCombos

}  // namespace vistrel
