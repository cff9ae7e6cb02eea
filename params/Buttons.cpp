#include "params/Buttons.h"

#include <array>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "params/HandlerSupport.h"
#include "params/ReadOuts.h"

namespace vistrel::Buttons {

namespace {

struct OneShot {
  int ctrlId;
  int commandId;
  int32_t value;
  int limitMs;
  bool reportsCompletion;
};

constexpr std::array<OneShot, 6> kOneShots = {{
    {ctl::RecalibrateWhite, cmd::BMRCW, 1, kHandlerLongMs, true},
    {ctl::BlemishStore, cmd::BMS, 1, kHandlerLongMs, true},
    {ctl::RecalibratePosition, cmd::RecalibratePosition, 1, kHandlerLongMs, true},
    {ctl::RecalibrateBlemishWhite, cmd::RecalibrateBlemishWhite, 1, kHandlerLongMs, true},
    {ctl::SoftTrigger, cmd::STRG, 0, kHandlerQuickMs, false},
    {ctl::SequencerReset, cmd::SQRST, 0, kHandlerQuickMs, false},
    // The factory store button (SA00 = 0) is a flash operation of the main dialog.
}};

enum class Shown {
  Stored,       // stored in the target's row and shown
  EntryIndex,   // selects the entry with that index, not stored
  Temperature,  // shown as degrees with two decimals
};

struct ReadButton {
  int ctrlId;
  int commandId;
  int limitMs;
  int target;
  Shown shown;
};

constexpr std::array<ReadButton, 7> kReadButtons = {{
    {2802, cmd::CV0, kHandlerShortMs, 2800, Shown::Stored},
    {2807, cmd::CV1, kHandlerShortMs, 2805, Shown::Stored},
    {2812, cmd::CV2, kHandlerShortMs, 2810, Shown::Stored},
    {2868, cmd::TimerValue, kHandlerShortMs, 2867, Shown::Stored},
    {2766, cmd::PhaseValue, kHandlerShortMs, 2748, Shown::Stored},
    {2765, cmd::PhaseIndex, kHandlerShortMs, 2762, Shown::EntryIndex},
    {ctl::TemperatureRead, cmd::TMP0, kHandlerQuickMs, ctl::TemperatureText, Shown::Temperature},
}};

constexpr const char* kCompleted = "Completed";

}  // namespace

bool RunOneShot(HandlerContext& context, int ctrlId) {
  for (const OneShot& button : kOneShots) {
    if (button.ctrlId != ctrlId)
      continue;
    const bool done =
        context.engine.SetValue(button.commandId, button.value, button.limitMs) == Outcome::Done;
    if (done && button.reportsCompletion)
      context.session.Messages().ShowMessage(kCompleted, "Vistrel", MessageIcon::Information);
    return true;
  }
  return false;
}

bool RunRead(HandlerContext& context, int ctrlId) {
  for (const ReadButton& button : kReadButtons) {
    if (button.ctrlId != ctrlId)
      continue;
    int32_t value = 0;
    if (context.engine.GetValue(button.commandId, value, button.limitMs) != Outcome::Done)
      return true;
    switch (button.shown) {
      case Shown::Stored:
        if (HasTableRow(context.table, button.target))
          context.table.SetDataValue(button.target, value);
        context.panel.ShowParameter(button.target, value);
        break;
      case Shown::EntryIndex:
        context.panel.SelectIndex(button.target, value);
        break;
      case Shown::Temperature:
        context.panel.ShowText(button.target, ReadOuts::TemperatureText(value));
        break;
    }
    return true;
  }
  return false;
}

}  // namespace vistrel::Buttons
