#include "params/AdjustHandlers.h"

#include "camera/AutoAdjust.h"
#include "params/AdjustControlIds.h"

namespace vistrel::AdjustHandlers {

namespace ids = adjustctl;

namespace {

constexpr int kRequeryMs = 2500;
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
  context.session.messages.ShowMessage(kUnknownParameter, kErrorCaption, MessageIcon::Exclamation);
}

// Tells the operator how a one-shot run ended: the result text, or why it ended early.
void ShowRunEnd(HandlerContext& context, AutoKind kind, const AutoRunResult& result) {
  const std::string title = AutoResultTitle(kind);
  if (result.end == RunEnd::Final) {
    ShowAutoResult(context.session.messages, *result.status, title);
    return;
  }
  context.session.messages.ShowMessage(RunEndText(result), title, MessageIcon::Exclamation);
}

// Whether the values the run changed are worth reading back: the camera is still answering.
bool ValuesMayHaveChanged(const AutoRunResult& result) {
  return result.end == RunEnd::Final || result.end == RunEnd::TimeBound ||
         result.end == RunEnd::Cancelled;
}

AutoRunResult RunOnce(HandlerContext& context, AutoKind kind) {
  return RunAutoOnce(context.engine, kind, context.session.poll, *context.session.adjustWatch);
}

bool OnLevelAuto(HandlerContext& context, int ctrlId) {
  const bool exposure = ctrlId == ids::kExposureAuto;
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
  if (ValuesMayHaveChanged(result))
    RequeryParameter(context, exposure ? ids::kExposure : ids::kGain);
  ShowRunEnd(context, kind, result);
  context.panel.SelectIndex(ctrlId, kOffEntry);
  applyRule();
  // The camera's mode is back at off after a run; the row follows without a second send
  // unless it held another mode.
  StoreChoice(context, ctrlId, context.panel.ReadControlValue(ctrlId).value_or(kOffEntry));
  return true;
}

void RequeryWhiteGains(HandlerContext& context) {
  RequeryParameter(context, ids::kRedBalance);
  RequeryParameter(context, ids::kBlueBalance);
}

void ShowWhiteStatus(HandlerContext& context, std::optional<int32_t> status) {
  if (status)
    context.panel.ShowText(ids::kWhiteResult, std::to_string(*status));
}

bool OnWhiteAuto(HandlerContext& context) {
  const std::optional<int32_t> value =
      WhiteBalanceValue(context.panel.SelectedIndex(ids::kWhiteAuto),
                        context.panel.SelectedIndex(ids::kIndividualGainMode) > 0,
                        context.panel.SelectedIndex(ids::kColourExposureMode) > 0);
  context.panel.ShowText(ids::kWhiteResult, "");
  if (!value) {
    ShowUnknownParameter(context);
    return true;
  }
  if (*value == 0) {
    RequeryWhiteGains(context);
    ApplyWhiteGainRule(context);
    StoreChoice(context, ids::kWhiteAuto, 0);
    return true;
  }
  ApplyWhiteGainRule(context);
  if (*value != kWhiteOnce) {
    std::optional<int32_t> status;
    bool taken = false;
    SetWhiteMode(context.engine, *value, status, taken);
    if (taken) {
      // The mode was sent here; the row records it as the camera's so it is not sent twice.
      context.table.SetDataValue(ids::kWhiteAuto, *value);
      context.table.MarkAllSent();
    }
    ShowWhiteStatus(context, status);
    return true;
  }
  const AutoRunResult result = RunOnce(context, AutoKind::White);
  ShowWhiteStatus(context, result.status);
  if (ValuesMayHaveChanged(result))
    RequeryWhiteGains(context);
  ShowRunEnd(context, AutoKind::White, result);
  context.panel.SelectIndex(ids::kWhiteAuto, kOffEntry);
  ApplyWhiteGainRule(context);
  StoreChoice(context, ids::kWhiteAuto, 0);
  return true;
}

void OnRecalibrateShading(HandlerContext& context) {
  std::optional<int32_t> status;
  RecalibrateShading(context.engine, status);
  // Without a result code there is nothing to show; the engine has reported the failure.
  if (!status)
    return;
  context.panel.ShowText(ids::kShadingResult, std::to_string(*status));
  ShowAutoResult(context.session.messages, *status, kShadingTitle);
}

void OnReadLevelStatus(HandlerContext& context) {
  int32_t status = 0;
  if (ReadLevelControlStatus(context.engine, status) == Outcome::Done)
    context.panel.ShowText(ids::kLevelStatus, LevelControlText(status));
}

}  // namespace

bool RequeryParameter(HandlerContext& context, int ctrlId) {
  int32_t value = 0;
  if (!context.engine.GetValue(context.table.ToCmdId(ctrlId), value, kRequeryMs))
    return false;
  context.table.SetDataValue(ctrlId, value);
  context.panel.ShowParameter(ctrlId, value);
  return true;
}

void ApplyExposureAutoRule(HandlerContext& context) {
  const bool continuous = OnSecondEntry(context, ids::kExposureAuto);
  Enable(context,
         {ids::kExposureAutoMax, ids::kExposureAutoMin, ids::kExposureAutoMaxSpin,
          ids::kExposureAutoMinSpin},
         continuous);
  context.panel.SetControlEnabled(ids::kColourExposureMode, !continuous);
  if (OnSecondEntry(context, ids::kColourExposureMode)) {
    for (int id : ids::kColourExposures)
      context.panel.SetControlEnabled(id, !continuous);
    for (int id : ids::kColourExposureSpins)
      context.panel.SetControlEnabled(id, !continuous);
  } else {
    Enable(context, {ids::kExposure, ids::kExposureSpin}, !continuous);
  }
}

void ApplyGainAutoRule(HandlerContext& context) {
  Enable(context,
         {ids::kGainAutoMax, ids::kGainAutoMin, ids::kGainAutoMaxSpin, ids::kGainAutoMinSpin},
         OnSecondEntry(context, ids::kGainAuto));
  const bool individual = OnSecondEntry(context, ids::kIndividualGainMode);
  const int32_t minimum = individual ? kIndividualGainMin : kBalanceGainMin;
  const int32_t maximum = individual ? kIndividualGainMax : kBalanceGainMax;
  context.table.SetRange(ids::kRedGain, minimum, maximum);
  context.table.SetRange(ids::kBlueGain, minimum, maximum);
  context.panel.ApplyRanges();
}

void ApplyWhiteGainRule(HandlerContext& context) {
  const bool individual = OnSecondEntry(context, ids::kIndividualGainMode);
  Enable(context, {ids::kGain, ids::kGainSpin}, !individual);
  Enable(context, {ids::kGreenGain, ids::kGreenGainSpin}, individual);
}

void RefreshAreaSelection(HandlerContext& context, int selectAllId) {
  const int first =
      selectAllId == ids::kExposureAreaAll ? ids::kExposureAreaFirst : ids::kWhiteAreaFirst;
  const bool all = context.panel.ReadControlValue(selectAllId).value_or(0) != 0;
  for (int id = first; id < first + ids::kAreaCount; ++id)
    context.panel.SetControlEnabled(id, !all);
  for (int id = first; id < first + ids::kAreaCount; ++id)
    RequeryParameter(context, id);
}

bool OnSelect(HandlerContext& context, int ctrlId) {
  switch (ctrlId) {
    case ids::kExposureAuto:
    case ids::kGainAuto:
      return OnLevelAuto(context, ctrlId);
    case ids::kWhiteAuto:
      return OnWhiteAuto(context);
    default:
      return false;
  }
}

bool OnButton(HandlerContext& context, int ctrlId) {
  switch (ctrlId) {
    case ids::kRecalibrateShading:
      OnRecalibrateShading(context);
      return true;
    case ids::kReadLevelStatus:
      OnReadLevelStatus(context);
      return true;
    default:
      return false;
  }
}

bool OnCheck(HandlerContext& context, int ctrlId) {
  if (ctrlId != ids::kExposureAreaAll && ctrlId != ids::kWhiteAreaAll)
    return false;
  StoreChoice(context, ctrlId, context.panel.ReadControlValue(ctrlId).value_or(0));
  RefreshAreaSelection(context, ctrlId);
  return true;
}

}  // namespace vistrel::AdjustHandlers
