#include "params/PageRefresh.h"

#include "core/ControlIds.h"
#include "params/Bypass.h"
#include "params/CameraLinkCombos.h"
#include "params/EnablingRules.h"
#include "params/ExposureRange.h"
#include "params/HandlerSupport.h"
#include "params/ModelPageSetup.h"
#include "params/ReadOuts.h"

namespace vistrel::PageRefresh {

namespace {

bool CameraReachable(const CameraSession& session) {
  const Outcome outcome = session.LastRead().outcome;
  return !session.LastRead().ran ||
         (outcome != Outcome::ChannelLost && outcome != Outcome::NoReply);
}

// The rebuilt lists select their first entry; the rows' values are shown again.
void ShowListValues(HandlerContext& context) {
  for (int ctrlId : {ctl::AWB, ctl::VSM}) {
    if (HasTableRow(context.table, ctrlId))
      context.panel.ShowParameter(ctrlId, context.table.GetDataValue(ctrlId));
  }
}

}  // namespace

void PreparePagesForModel(HandlerContext& context) {
  ModelPageSetup::Apply(context);
}

void RefreshDependentStates(HandlerContext& context) {
  RefreshCameraLinkControls(context);
  EnablingRules::ApplyAll(context.panel);
  ShowListValues(context);
  // The rate mask row is shown as its text, not as the number the rows show.
  if (HasTableRow(context.table, ctl::BaudLimitText))
    context.panel.ShowText(ctl::BaudLimitText,
                           ReadOuts::BaudLimitText(context.table.GetDataValue(ctl::BaudLimitText)));
}

void RefreshRemainingPages(HandlerContext& context) {
  if (!CameraReachable(context.session))
    return;
  ExposureRange::Refresh(context);
  Bypass::Refresh(context);
  ReadOuts::RefreshBaudLimitText(context);
  ReadOuts::RefreshVideoModeText(context);
}

void RefreshCameraLinkControls(HandlerContext& context) {
  CameraLinkCombos::Rebuild(context.panel, context.session.Link());
}

void RefreshExposureModeControls(HandlerContext& context) {
  IControlPanel& panel = context.panel;
  const int mode = SelectionOf(panel, ctl::EM);
  EnablingRules::ApplyExposureMode(panel, mode);
  EnablingRules::RebuildVideoModeList(panel, mode);
  if (mode != 2)
    EnablingRules::ApplyTriggerMode(panel, SelectionOf(panel, ctl::TM));
  ShowListValues(context);
}

void ShowVideoMode(IControlPanel& panel, int32_t mode) {
  panel.ShowText(ctl::VideoModeText, ReadOuts::VideoModeName(mode));
}

}  // namespace vistrel::PageRefresh
