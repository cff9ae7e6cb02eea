#include "params/IndividualGain.h"

#include <array>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "params/DelegatedHandlers.h"
#include "params/EnablingRules.h"
#include "params/HandlerSupport.h"

namespace vistrel::IndividualGain {

namespace {

struct GainRow {
  int commandId;
  int ctrlId;
};

constexpr std::array<GainRow, 3> kColourGains = {{
    {cmd::FGR, ctl::FGR},
    {cmd::FGG, ctl::FGG},
    {cmd::FGB, ctl::FGB},
}};

}  // namespace

void BeforeSend(HandlerContext& context, int32_t mode) {
  Delegated::OnGainModeChanging(context, mode);
}

void AfterSend(HandlerContext& context, int32_t mode) {
  Delegated::OnGainModeChanged(context, mode);
  for (const GainRow& gain : kColourGains) {
    int32_t value = 0;
    if (context.engine.GetValue(gain.commandId, value, kHandlerQueryMs) != Outcome::Done)
      continue;
    context.table.SetDataValue(gain.ctrlId, value);
    context.panel.ShowParameter(gain.ctrlId, value);
  }
  context.table.MarkAllSent();
  EnablingRules::RebuildWhiteBalanceList(context.panel, mode, SelectionOf(context.panel, ctl::ETM));
}

}  // namespace vistrel::IndividualGain
