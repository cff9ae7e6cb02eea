#include "params/Bypass.h"

#include <array>

#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::Bypass {

namespace {

// The choices read back while the bypass is off. Each selects the entry that stands for the
// value (the binning entries stand for the factors 1 and 2; the white balance entries carry
// the camera's values, which skip 3 and 4 in the shorter list).
struct ReadBack {
  const char* name;
  int ctrlId;
};

constexpr std::array<ReadBack, 6> kReadBacks = {{
    {"HB", ctl::HB},
    {"VB", ctl::VB},
    {"AGC", ctl::AGC},
    {"AWB", ctl::AWB},
    {"SDM", ctl::SDM},
    {"LUTC", ctl::LUTC},
}};

// The choices put on their first entry while the bypass is on.
constexpr std::array kResetChoices = {ctl::AGC, ctl::AWB, ctl::SDM, ctl::LUTC};

// Controls that follow the bypass without a value of their own (the gamma choice follows the
// LUT mode as well).
constexpr std::array kFollowers = {ctl::SDCM,          ctl::ShadingButton, ctl::LutWriteRed,
                                   ctl::LutWriteGreen, ctl::LutWriteBlue,  ctl::SequencerWrite,
                                   ctl::ALCA,          ctl::AWBA};

constexpr int kLutOn = 1;

// The single areas are usable while their "Select all" is off.
void EnableAreas(IControlPanel& panel, bool enabled) {
  const bool allExposure = panel.ReadControlValue(ctl::ALCA).value_or(0) != 0;
  const bool allBalance = panel.ReadControlValue(ctl::AWBA).value_or(0) != 0;
  for (int id = ctl::FirstExposureArea; id <= ctl::LastExposureArea; ++id)
    panel.SetControlEnabled(id, enabled && !allExposure);
  for (int id = ctl::FirstBalanceArea; id <= ctl::LastBalanceArea; ++id)
    panel.SetControlEnabled(id, enabled && !allBalance);
}

void BypassOff(HandlerContext& context) {
  IControlPanel& panel = context.panel;
  int32_t lutMode = -1;
  for (const ReadBack& read : kReadBacks) {
    const std::optional<int32_t> value = RawQuery(context, read.name);
    if (value) {
      panel.ShowParameter(read.ctrlId, *value);
      if (read.ctrlId == ctl::LUTC)
        lutMode = *value;
    }
    panel.SetControlEnabled(read.ctrlId, true);
  }
  panel.SetControlEnabled(ctl::GMA, lutMode == kLutOn);
  for (int id : kFollowers)
    panel.SetControlEnabled(id, true);
  EnableAreas(panel, true);
}

void BypassOn(IControlPanel& panel) {
  for (int id : kResetChoices) {
    panel.SelectIndex(id, 0);
    panel.SetControlEnabled(id, false);
  }
  panel.SetControlEnabled(ctl::GMA, false);
  for (int id : kFollowers)
    panel.SetControlEnabled(id, false);
  EnableAreas(panel, false);
}

}  // namespace

void Refresh(HandlerContext& context) {
  if (SelectionOf(context.panel, ctl::VPB) == 0)
    BypassOff(context);
  else
    BypassOn(context.panel);
}

}  // namespace vistrel::Bypass
