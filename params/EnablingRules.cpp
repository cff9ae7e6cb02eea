#include "params/EnablingRules.h"

#include <array>

#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::EnablingRules {

namespace {

constexpr int kTriggerSequence = 1;  // entry of the video send mode list

constexpr std::array<int32_t, 9> kGammaValues = {45, 50, 55, 60, 65, 75, 80, 90, 100};

const std::vector<ChoiceItem>& WhiteBalanceItems(bool gainModeOn, bool perColourExposure) {
  static const std::vector<ChoiceItem> withExposure = {
      {"Off", 0},          {"Continuous", 1},  {"Once", 2},        {"ExposureContinuous", 3},
      {"ExposureOnce", 4}, {"Preset3200K", 5}, {"Preset5000K", 6}, {"Preset6500K", 7},
      {"Preset7500K", 8}};
  static const std::vector<ChoiceItem> plain = {
      {"Off", 0},         {"Continuous", 1},  {"Once", 2},       {"Preset3200K", 5},
      {"Preset5000K", 6}, {"Preset6500K", 7}, {"Preset7500K", 8}};
  static const std::vector<ChoiceItem> exposureOnly = {
      {"Off", 0}, {"ExposureOnce", 4}, {"ExposureContinuous", 3}};
  if (gainModeOn)
    return exposureOnly;
  return perColourExposure ? withExposure : plain;
}

// Phase control fields usable with phase mode 0, and with the other modes.
constexpr std::array kPhaseModeOn = {ctl::IrisLimitOpen, ctl::IrisLimitClose};
constexpr std::array kPhaseModeOff = {ctl::PhaseOrder, ctl::LensSetting1, ctl::LensSetting2,
                                      ctl::LensSetting3};

}  // namespace

void ApplyExposureMode(IControlPanel& panel, int exposureMode) {
  const bool timed = exposureMode == 1;
  panel.SetControlEnabled(ctl::PE, timed);
  panel.SetControlEnabled(ctl::ASC, timed);
  panel.SetControlEnabled(ctl::TM, timed);
  if (exposureMode == 1)
    return;
  panel.SetControlEnabled(ctl::AR, exposureMode == 0);
  panel.SetControlEnabled(ctl::ARSpin, exposureMode == 0);
}

void RebuildVideoModeList(IControlPanel& panel, int exposureMode) {
  if (exposureMode == 0 || exposureMode == 2) {
    panel.RefillChoice(ctl::VSM, {{"Normal", 0}});
    panel.SelectIndex(ctl::VSM, 0);
  } else {
    const int kept = SelectionOf(panel, ctl::VSM);
    panel.RefillChoice(ctl::VSM, {{"Normal", 0}, {"Trigger Sequence", 1}, {"Command Sequence", 2}});
    panel.SelectIndex(ctl::VSM, kept);
  }
  panel.SetControlEnabled(ctl::TM, panel.SelectedIndex(ctl::VSM) != kTriggerSequence);
}

void ApplyTriggerMode(IControlPanel& panel, int triggerMode) {
  panel.SetControlEnabled(ctl::AR, triggerMode == 0);
  panel.SetControlEnabled(ctl::ARSpin, triggerMode == 0);
}

void ApplyExposureTimeMode(IControlPanel& panel, int exposureTimeMode) {
  const bool perColour = exposureTimeMode != 0;
  panel.SetControlEnabled(ctl::PE, !perColour);
  panel.SetControlEnabled(ctl::PER, perColour);
  panel.SetControlEnabled(ctl::PEG, perColour);
  panel.SetControlEnabled(ctl::PEB, perColour);
}

void RebuildWhiteBalanceList(IControlPanel& panel, int gainMode, int exposureTimeMode) {
  const bool gainModeOn = gainMode != 0;
  const bool perColour = exposureTimeMode != 0;
  panel.SetControlEnabled(ctl::AgcCaption, !gainModeOn);
  panel.SetControlEnabled(ctl::AGC, !gainModeOn);
  const bool balance = !gainModeOn || perColour;
  panel.SetControlEnabled(ctl::AwbStatusCaption, balance);
  panel.SetControlEnabled(ctl::AwbCaption, balance);
  panel.SetControlEnabled(ctl::AWB, balance);
  if (!balance)
    return;
  panel.RefillChoice(ctl::AWB, WhiteBalanceItems(gainModeOn, perColour));
  panel.SelectIndex(ctl::AWB, 0);
}

void ApplyLutMode(IControlPanel& panel, int lutMode) {
  const bool lut = lutMode == ctl::LutModeGamma;
  // The editor shapes the camera's own tables, so it is offered for the user LUT only.
  panel.SetControlEnabled(ctl::OpenLutButton, lutMode == ctl::LutModeUser);
  panel.SetControlEnabled(ctl::GMA, lut);
  panel.SetControlEnabled(ctl::GammaCaption, lut);
}

void ApplyPhaseMode(IControlPanel& panel, int phaseMode) {
  for (int id : kPhaseModeOn)
    panel.SetControlEnabled(id, phaseMode != 0);
  for (int id : kPhaseModeOff)
    panel.SetControlEnabled(id, phaseMode == 0);
}

int32_t GammaForEntry(int entry) {
  if (entry < 0 || entry >= static_cast<int>(kGammaValues.size()))
    return kGammaValues.front();
  return kGammaValues[static_cast<size_t>(entry)];
}

void ApplyAll(IControlPanel& panel) {
  const int exposureMode = SelectionOf(panel, ctl::EM);
  ApplyExposureMode(panel, exposureMode);
  RebuildVideoModeList(panel, exposureMode);
  if (exposureMode != 2)
    ApplyTriggerMode(panel, SelectionOf(panel, ctl::TM));
  const int exposureTimeMode = SelectionOf(panel, ctl::ETM);
  ApplyExposureTimeMode(panel, exposureTimeMode);
  RebuildWhiteBalanceList(panel, SelectionOf(panel, ctl::IGM), exposureTimeMode);
  ApplyLutMode(panel, SelectionOf(panel, ctl::LUTC));
  ApplyPhaseMode(panel, SelectionOf(panel, ctl::PhaseMode));
}

}  // namespace vistrel::EnablingRules
