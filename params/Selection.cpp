#include <functional>
#include <map>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "params/Bypass.h"
#include "params/CameraLinkCombos.h"
#include "params/DelegatedHandlers.h"
#include "params/DirectSettings.h"
#include "params/EnablingRules.h"
#include "params/ExposureRange.h"
#include "params/HandlerSupport.h"
#include "params/Handlers.h"
#include "params/ReadOuts.h"

namespace vistrel::Handlers {

namespace {

constexpr const char* kExposureAutoOn = "Please Set Exposure Auto to Off";
constexpr int kExposureAutoContinuous = 1;

void CommonPath(HandlerContext& context, int ctrlId) {
  if (HasTableRow(context.table, ctrlId))
    TableBound::OnParameterSelect(context, ctrlId);
}

void OnExposureMode(HandlerContext& context) {
  IControlPanel& panel = context.panel;
  if (SelectionOf(panel, ctl::ASC) == kExposureAutoContinuous) {
    context.session.Messages().ShowMessage(kExposureAutoOn, "Vistrel", MessageIcon::Stop);
    panel.ShowParameter(ctl::EM, context.table.GetLastSentValue(ctl::EM));
    return;
  }
  const int mode = SelectionOf(panel, ctl::EM);
  EnablingRules::ApplyExposureMode(panel, mode);
  CommonPath(context, ctl::EM);
  EnablingRules::RebuildVideoModeList(panel, mode);
  CommonPath(context, ctl::VSM);
}

void OnVideoMode(HandlerContext& context) {
  CommonPath(context, ctl::VSM);
  int32_t trigger = 0;
  if (context.engine.GetValue(cmd::TM, trigger, kHandlerShortMs) == Outcome::Done)
    context.panel.SelectIndex(ctl::TM, trigger);
  EnablingRules::RebuildVideoModeList(context.panel, SelectionOf(context.panel, ctl::EM));
}

void OnTriggerMode(HandlerContext& context) {
  EnablingRules::ApplyTriggerMode(context.panel, SelectionOf(context.panel, ctl::TM));
  CommonPath(context, ctl::TM);
  ExposureRange::Refresh(context);
}

void OnExposureTimeMode(HandlerContext& context) {
  IControlPanel& panel = context.panel;
  const int mode = SelectionOf(panel, ctl::ETM);
  EnablingRules::ApplyExposureTimeMode(panel, mode);
  CommonPath(context, ctl::ETM);
  EnablingRules::RebuildWhiteBalanceList(panel, SelectionOf(panel, ctl::IGM), mode);
}

void OnLutMode(HandlerContext& context) {
  const int mode = SelectionOf(context.panel, ctl::LUTC);
  EnablingRules::ApplyLutMode(context.panel, mode);
  if (mode == ctl::LutModeOff)
    context.session.Pages().HideLutEditors();
  CommonPath(context, ctl::LUTC);
}

void OnGamma(HandlerContext& context) {
  const int32_t gamma = EnablingRules::GammaForEntry(context.panel.SelectedIndex(ctl::GMA));
  if (!context.table.SetDataValue(ctl::GMA, gamma))
    return;
  context.table.ShowChangedParameters(context.panel);
  context.table.WriteChangedParameters(context.engine, context.panel, TableBound::kWriteTimeoutMs);
}

void OnSequencerBinning(HandlerContext& context, int ctrlId) {
  CommonPath(context, ctrlId);
  Delegated::OnSequencerBinning(context, ctrlId);
  ExposureRange::RefreshSequencer(context);
}

void OnPhaseMode(HandlerContext& context) {
  EnablingRules::ApplyPhaseMode(context.panel, SelectionOf(context.panel, ctl::PhaseMode));
  CommonPath(context, ctl::PhaseMode);
}

void OnBypass(HandlerContext& context) {
  CommonPath(context, ctl::VPB);
  Bypass::Refresh(context);
}

void OnCameraLink(HandlerContext& context, int ctrlId) {
  const std::optional<int32_t> value = context.panel.ReadControlValue(ctrlId);
  if (value)
    context.session.NoteLinkValue(ctrlId, *value);
  CommonPath(context, ctrlId);
  ExposureRange::Refresh(context);
  CameraLinkCombos::Rebuild(context.panel, context.session.Link());
}

using SelectHandler = std::function<void(HandlerContext&)>;

const std::map<int, SelectHandler>& SelectHandlers() {
  static const std::map<int, SelectHandler> handlers = {
      {ctl::EM, OnExposureMode},
      {ctl::VSM, OnVideoMode},
      {ctl::TM, OnTriggerMode},
      {ctl::ETM, OnExposureTimeMode},
      {ctl::LUTC, OnLutMode},
      {ctl::GMA, OnGamma},
      {ctl::SQHB, [](HandlerContext& c) { OnSequencerBinning(c, ctl::SQHB); }},
      {ctl::SQVB, [](HandlerContext& c) { OnSequencerBinning(c, ctl::SQVB); }},
      {ctl::PhaseMode, OnPhaseMode},
      {ctl::VPB, OnBypass},
  };
  return handlers;
}

}  // namespace

void OnParameterSelect(HandlerContext& context, int ctrlId) {
  if (ctrlId == ctl::ModelChoice) {
    Delegated::OnIdentityControl(context, ctrlId);
    return;
  }
  if (Delegated::OnAdjustmentSelect(context, ctrlId) || DirectSettings::Run(context, ctrlId))
    return;
  if (CameraLinkCombos::IsCameraLinkChoice(ctrlId)) {
    OnCameraLink(context, ctrlId);
    return;
  }
  const auto& handlers = SelectHandlers();
  if (const auto it = handlers.find(ctrlId); it != handlers.end())
    it->second(context);
  else
    CommonPath(context, ctrlId);
}

}  // namespace vistrel::Handlers
