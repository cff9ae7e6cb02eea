#include "params/AdjustHandlers.h"

#include "camera/AutoAdjust.h"
#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::AdjustHandlers {

namespace {

constexpr int kOffEntry = 0;
constexpr int kContinuousEntry = 1;
constexpr int kOnceEntry = 2;
constexpr int32_t kWhiteOnce = 2;
constexpr const char* kShadingTitle = "Recalibrate FFC (User)";

// Ranges of the red and blue gains, by the individual gain mode.
constexpr int32_t kIndividualGainMin = 100;
constexpr int32_t kIndividualGainMax = 6400;
constexpr int32_t kBalanceGainMin = 47;
constexpr int32_t kBalanceGainMax = 400;

bool OnSecondEntry(const HandlerContext& context, int ctrlId) {
  return context.panel.SelectedIndex(ctrlId) == 1;
}

void Enable(HandlerContext& context, std::initializer_list<int> ids, bool enabled) {
  for (int id : ids)
    context.panel.SetControlEnabled(id, enabled);
}

// The table-bound steps that follow the handler: store the choice's value, send what changed.
void StoreChoice(HandlerContext& context, int ctrlId, int32_t value) {
  if (!context.table.SetDataValue(ctrlId, value))
    return;
  context.table.ShowChangedParameters(context.panel);
  context.table.WriteChangedParameters(context.engine, context.panel, TableBound::kWriteTimeoutMs);
  context.table.MarkAllSent();
}

void ShowUnknownParameter(HandlerContext& context) {
  context.session.Messages().ShowMessage(kUnknownParameter, kErrorCaption,
                                         MessageIcon::Exclamation);
}

// Tells the operator how a one-shot run ended: the result text, or why it ended early.
void ShowRunEnd(HandlerContext& context, AutoKind kind, const AutoRunResult& result) {
  const std::string title = AutoResultTitle(kind);
  if (result.end == RunEnd::Final) {
    ShowAutoResult(context.session.Messages(), *result.status, title);
    return;
  }
  // A start the camera answered with a refusal has already been shown with the camera's own
  // answer; a second box would only repeat it.
  if (result.end == RunEnd::StartFailed && result.outcome == Outcome::Refused)
    return;
  context.session.Messages().ShowMessage(RunEndText(result), title, MessageIcon::Exclamation);
}

// Reads back what a run may have moved.
void RequeryAdjusted(HandlerContext& context, AutoKind kind, const AutoRunResult& result) {
  if (!result.ValuesMayHaveChanged())
    return;
  for (int ctrlId : AdjustedControls(kind))
    RequeryParameter(context, ctrlId);
}

AutoRunResult RunOnce(HandlerContext& context, AutoKind kind) {
  return RunAutoOnce(context.engine, kind, context.session.Poll(), context.session.AdjustWatch());
}

bool OnLevelAuto(HandlerContext& context, int ctrlId) {
  const bool exposure = ctrlId == ctl::ASC;
  const auto applyRule = [&context, exposure] {
    exposure ? ApplyExposureAutoRule(context) : ApplyGainAutoRule(context);
  };
  const int entry = context.panel.SelectedIndex(ctrlId);
  if (entry == kOffEntry || entry == kContinuousEntry) {
    applyRule();
    StoreChoice(context, ctrlId, context.panel.ReadControlValue(ctrlId).value_or(entry));
    return true;
  }
  if (entry != kOnceEntry) {
    ShowUnknownParameter(context);
    applyRule();
    return true;
  }
  const AutoKind kind = exposure ? AutoKind::Exposure : AutoKind::Gain;
  const AutoRunResult result = RunOnce(context, kind);
  RequeryAdjusted(context, kind, result);
  ShowRunEnd(context, kind, result);
  context.panel.SelectIndex(ctrlId, kOffEntry);
  applyRule();
  // The camera's mode is back at off after a run; the row follows without a second send
  // unless it held another mode.
  StoreChoice(context, ctrlId, context.panel.ReadControlValue(ctrlId).value_or(kOffEntry));
  return true;
}

void RequeryWhiteGains(HandlerContext& context) {
  for (int ctrlId : AdjustedControls(AutoKind::White))
    RequeryParameter(context, ctrlId);
}

void ShowWhiteStatus(HandlerContext& context, std::optional<int32_t> status) {
  if (status)
    context.panel.ShowText(ctl::WhiteBalanceResult, AutoResultText(*status));
}

bool OnWhiteAuto(HandlerContext& context) {
  const std::optional<int32_t> value = WhiteBalanceValue(context.panel.SelectedIndex(ctl::AWB),
                                                         context.panel.SelectedIndex(ctl::IGM) > 0,
                                                         context.panel.SelectedIndex(ctl::ETM) > 0);
  context.panel.ShowText(ctl::WhiteBalanceResult, "");
  if (!value) {
    ShowUnknownParameter(context);
    return true;
  }
  if (*value == 0) {
    RequeryWhiteGains(context);
    ApplyWhiteGainRule(context);
    StoreChoice(context, ctl::AWB, 0);
    return true;
  }
  ApplyWhiteGainRule(context);
  if (*value != kWhiteOnce) {
    std::optional<int32_t> status;
    bool taken = false;
    SetWhiteMode(context.engine, *value, status, taken);
    if (taken) {
      // The mode was sent here; the row records it as the camera's so it is not sent twice.
      context.table.SetDataValue(ctl::AWB, *value);
      context.table.MarkAllSent();
    }
    ShowWhiteStatus(context, status);
    return true;
  }
  const AutoRunResult result = RunOnce(context, AutoKind::White);
  ShowWhiteStatus(context, result.status);
  RequeryAdjusted(context, AutoKind::White, result);
  ShowRunEnd(context, AutoKind::White, result);
  context.panel.SelectIndex(ctl::AWB, kOffEntry);
  ApplyWhiteGainRule(context);
  StoreChoice(context, ctl::AWB, 0);
  return true;
}

void OnRecalibrateShading(HandlerContext& context) {
  std::optional<int32_t> status;
  RecalibrateShading(context.engine, status);
  // Without a result code there is nothing to show; the engine has reported the failure.
  if (!status)
    return;
  context.panel.ShowText(ctl::ShadingResult, AutoResultText(*status));
  ShowAutoResult(context.session.Messages(), *status, kShadingTitle);
}

void OnReadLevelStatus(HandlerContext& context) {
  int32_t status = 0;
  if (ReadLevelControlStatus(context.engine, status) == Outcome::Done)
    context.panel.ShowText(ctl::LevelStatusText, LevelControlText(status));
}

}  // namespace

void ApplyExposureAutoRule(HandlerContext& context) {
  const bool continuous = OnSecondEntry(context, ctl::ASC);
  Enable(context, {ctl::ASCEA, ctl::ASCEI, ctl::ASCEASpin, ctl::ASCEISpin}, continuous);
  context.panel.SetControlEnabled(ctl::ETM, !continuous);
  if (OnSecondEntry(context, ctl::ETM)) {
    for (int id : ctl::ColourExposures)
      context.panel.SetControlEnabled(id, !continuous);
    for (int id : ctl::ColourExposureSpins)
      context.panel.SetControlEnabled(id, !continuous);
  } else {
    Enable(context, {ctl::PE, ctl::PESpin}, !continuous);
  }
}

void ApplyGainAutoRule(HandlerContext& context) {
  Enable(context, {ctl::AGCGA, ctl::AGCGI, ctl::AGCGASpin, ctl::AGCGISpin},
         OnSecondEntry(context, ctl::AGC));
  const bool individual = OnSecondEntry(context, ctl::IGM);
  const int32_t minimum = individual ? kIndividualGainMin : kBalanceGainMin;
  const int32_t maximum = individual ? kIndividualGainMax : kBalanceGainMax;
  context.table.SetRange(ctl::FGR, minimum, maximum);
  context.table.SetRange(ctl::FGB, minimum, maximum);
  context.panel.ApplyRanges();
}

void ApplyWhiteGainRule(HandlerContext& context) {
  const bool individual = OnSecondEntry(context, ctl::IGM);
  Enable(context, {ctl::FGA, ctl::FGASpin}, !individual);
  Enable(context, {ctl::FGG, ctl::FGGSpin}, individual);
}

void RefreshAreaSelection(HandlerContext& context, int selectAllId) {
  const int first = selectAllId == ctl::ALCA ? ctl::FirstExposureArea : ctl::FirstBalanceArea;
  const bool all = context.panel.ReadControlValue(selectAllId).value_or(0) != 0;
  for (int id = first; id < first + ctl::AreaCount; ++id)
    context.panel.SetControlEnabled(id, !all);
  for (int id = first; id < first + ctl::AreaCount; ++id)
    RequeryParameter(context, id);
}

bool OnSelect(HandlerContext& context, int ctrlId) {
  switch (ctrlId) {
    case ctl::ASC:
    case ctl::AGC:
      return OnLevelAuto(context, ctrlId);
    case ctl::AWB:
      return OnWhiteAuto(context);
    default:
      return false;
  }
}

bool OnButton(HandlerContext& context, int ctrlId) {
  switch (ctrlId) {
    case ctl::ShadingButton:
      OnRecalibrateShading(context);
      return true;
    case ctl::LevelStatusRead:
      OnReadLevelStatus(context);
      return true;
    default:
      return false;
  }
}

bool OnCheck(HandlerContext& context, int ctrlId) {
  if (ctrlId != ctl::ALCA && ctrlId != ctl::AWBA)
    return false;
  StoreChoice(context, ctrlId, context.panel.ReadControlValue(ctrlId).value_or(0));
  RefreshAreaSelection(context, ctrlId);
  return true;
}

}  // namespace vistrel::AdjustHandlers
