// The main dialog and the parameter controls: what a control reports goes to its handler,
// with the ranges the pages show.
#include "app/VistrelDlg.h"
#include "camera/FlashAreas.h"
#include "core/ControlIds.h"
#include "params/Handlers.h"
#include "params/TableBoundPath.h"
#include "ui/AdjustProgressDialog.h"

namespace vistrel {

namespace {

constexpr const char* kResetQuestion =
    "Reset the camera now?\nThe camera restarts, and this program closes.";

}  // namespace

HandlerContext CVistrelDlg::Context() {
  return HandlerContext{services_.table, services_.engine, *registry_, services_.session};
}

RangeInputs CVistrelDlg::CurrentRangeInputs() {
  RangeInputs inputs = ModelRangeInputs(services_.session.Model());
  auto choice = [this](int ctrlId, int32_t fallback) {
    return registry_->ReadControlValue(ctrlId).value_or(fallback);
  };
  inputs.hb = choice(ctl::HB, 1);
  inputs.vb = choice(ctl::VB, 1);
  inputs.sqhb = choice(ctl::SQHB, 1);
  inputs.sqvb = choice(ctl::SQVB, 1);
  inputs.igm = choice(ctl::IGM, 0);
  return inputs;
}

void CVistrelDlg::Dispatch(Notification what, int ctrlId, int32_t position, int32_t step) {
  if (!ReadyToSend(what, ctrlId) || !EntryMayChange(what, ctrlId))
    return;
  const Activity writing(*this, "Writing");
  DispatchNow(what, ctrlId, position, step);
  NoteEntryChange(what, ctrlId);
}

void CVistrelDlg::DispatchNow(Notification what, int ctrlId, int32_t position, int32_t step) {
  HandlerContext context = Context();
  switch (what) {
    case Notification::EditCommitted:
      Handlers::OnParameterEdit(context, ctrlId);
      break;
    case Notification::Spin:
      Handlers::OnParameterSpin(context, ctrlId, position, step);
      break;
    case Notification::Selected:
      Handlers::OnParameterSelect(context, ctrlId);
      break;
    case Notification::Checked:
      Handlers::OnParameterCheck(context, ctrlId);
      break;
    case Notification::RadioClicked:
      if (rowIds_.contains(ctrlId))
        TableBound::OnRadioChange(context, ctrlId);
      break;
    case Notification::ButtonClicked:
      OnParameterButton(ctrlId);
      break;
  }
}

void CVistrelDlg::OnParameterButton(int ctrlId) {
  switch (ctrlId) {
    case ctl::StoreAll:
      StoreAll(services_.session);
      break;
    case ctl::FactoryStore:
      FactoryStore(services_.session);
      break;
    case ctl::OpenLutButton:
      OpenLutTableFromPage();
      break;
    case ctl::CameraReset:
      if (services_.messages.AskYesNo(kResetQuestion, "Camera Reset") &&
          CameraReset(services_.session) == Outcome::Done) {
        skipExitConfirmation_ = true;
        reject();
      }
      break;
    default: {
      HandlerContext context = Context();
      Handlers::OnParameterButton(context, ctrlId);
      break;
    }
  }
}

}  // namespace vistrel
