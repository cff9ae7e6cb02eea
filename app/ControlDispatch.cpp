#include "app/ControlDispatch.h"

#include <QtWidgets/QLineEdit>
#include <array>

#include "app/LutEditors.h"
#include "app/MainStatusBar.h"
#include "app/PortWatch.h"
#include "app/SequencerEntryMarks.h"
#include "camera/FlashAreas.h"
#include "core/ControlIds.h"
#include "params/Handlers.h"
#include "params/ModelControls.h"

namespace vistrel {

namespace {

constexpr const char* kResetQuestion =
    "Reset the camera now?\nThe camera restarts, and this program closes.";
constexpr const char* kNoAnswerNote =
    "The camera does not answer: nothing was sent, and the control shows its last-read "
    "value again.";
constexpr const char* kIndexOfflineNote =
    "The camera does not answer: the entry shown stays until the camera is back online.";

// The index fields of the entry tables: a change reads an entry from the camera.
constexpr std::array kIndexControls = {ctl::SequencerIndex, ctl::SequencerIndexSpin,
                                       ctl::BlemishIndexWhite, ctl::BlemishIndexGreen,
                                       ctl::BlemishIndexBlue};

// What the operator just set on a control, kept over the reread that brings the program
// back online (the reread shows the camera's values on every control).
struct PendingInput {
  QString text;
  std::optional<int32_t> value;
};

}  // namespace

ControlDispatch::ControlDispatch(AppServices& services, ControlRegistry& registry, Parts parts,
                                 std::function<void()> closeAfterReset)
    : services_(services),
      registry_(registry),
      parts_(parts),
      closeAfterReset_(std::move(closeAfterReset)) {
  for (int i = 0; i < services_.table.RowCount(); ++i)
    rowIds_.insert(services_.table.Row(i).ctrlId);
}

RangeInputs ControlDispatch::CurrentRangeInputs() {
  RangeInputs inputs = ModelRangeInputs(services_.session.Model());
  auto choice = [this](int ctrlId, int32_t fallback) {
    return registry_.ReadControlValue(ctrlId).value_or(fallback);
  };
  inputs.hb = choice(ctl::HB, 1);
  inputs.vb = choice(ctl::VB, 1);
  inputs.sqhb = choice(ctl::SQHB, 1);
  inputs.sqvb = choice(ctl::SQVB, 1);
  inputs.igm = choice(ctl::IGM, 0);
  return inputs;
}

void ControlDispatch::Dispatch(Notification what, int ctrlId, int32_t position, int32_t step) {
  if (!ReadyToSend(what, ctrlId) || !parts_.entry.MayChange(what, ctrlId))
    return;
  const MainStatusBar::Activity writing(parts_.status, "Writing");
  DispatchNow(what, ctrlId, position, step);
  parts_.entry.NoteChange(what, ctrlId);
}

void ControlDispatch::DispatchNow(Notification what, int ctrlId, int32_t position, int32_t step) {
  HandlerContext context = ContextOf(services_, registry_);
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
      OnButton(ctrlId);
      break;
  }
}

void ControlDispatch::OnButton(int ctrlId) {
  switch (ctrlId) {
    case ctl::StoreAll:
      StoreAll(services_.session);
      break;
    case ctl::FactoryStore:
      FactoryStore(services_.session);
      break;
    case ctl::OpenLutButton:
      parts_.luts.OpenFromPage();
      break;
    case ctl::CameraReset:
      if (services_.messages.AskYesNo(kResetQuestion, "Camera Reset") &&
          CameraReset(services_.session) == Outcome::Done)
        closeAfterReset_();
      break;
    default: {
      HandlerContext context = ContextOf(services_, registry_);
      Handlers::OnParameterButton(context, ctrlId);
      break;
    }
  }
}

bool ControlDispatch::ReadyToSend(Notification what, int ctrlId) {
  if (services_.notifier.IsOnline() ||
      (what == Notification::ButtonClicked && ctrlId == ctl::OpenLutButton))
    return true;
  if (std::ranges::find(kIndexControls, ctrlId) != kIndexControls.end()) {
    services_.table.ShowAll(registry_);
    parts_.status.ShowNote(kIndexOfflineNote);
    return false;
  }
  QWidget* control = registry_.FindControl(ctrlId);
  PendingInput pending;
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    pending.text = edit->text();
  else if (what != Notification::ButtonClicked && what != Notification::Spin)
    pending.value = registry_.ReadControlValue(ctrlId);
  if (parts_.watch.CameraAnswers(limits::kProbeMs) && parts_.watch.Reconnect()) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      edit->setText(pending.text);
    else if (pending.value)
      registry_.ShowParameter(ctrlId, *pending.value);
    return true;
  }
  services_.table.ShowAll(registry_);
  parts_.status.ShowNote(kNoAnswerNote);
  const std::string name =
      rowIds_.contains(ctrlId) ? Command::CommandName(services_.table.ToCmdId(ctrlId)) : "";
  services_.traffic.AppendLine("Not sent" + (name.empty() ? "" : " (" + name + ")") +
                               ": the camera does not answer.");
  return false;
}

}  // namespace vistrel
