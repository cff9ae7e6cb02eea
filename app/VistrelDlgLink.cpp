// The main dialog and the link to the camera: what a change does while the camera does not
// answer, and the status bar.
#include <QtCore/QScopedValueRollback>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <array>

#include "app/VistrelDlg.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "ui_VistrelDlg.h"

namespace vistrel {

namespace {

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

bool CVistrelDlg::ReadyToSend(Notification what, int ctrlId) {
  if (services_.notifier.IsOnline() ||
      (what == Notification::ButtonClicked && ctrlId == ctl::OpenLutButton))
    return true;
  if (std::ranges::find(kIndexControls, ctrlId) != kIndexControls.end()) {
    services_.table.ShowAll(*registry_);
    ShowStatusNote(kIndexOfflineNote);
    return false;
  }
  QWidget* control = registry_->FindControl(ctrlId);
  PendingInput pending;
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    pending.text = edit->text();
  else if (what != Notification::ButtonClicked && what != Notification::Spin)
    pending.value = registry_->ReadControlValue(ctrlId);
  if (CameraAnswers(kProbeMs) && portWatch_->Reconnect()) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      edit->setText(pending.text);
    else if (pending.value)
      registry_->ShowParameter(ctrlId, *pending.value);
    return true;
  }
  services_.table.ShowAll(*registry_);
  ShowStatusNote(kNoAnswerNote);
  const std::string name =
      rowIds_.contains(ctrlId) ? Command::CommandName(services_.table.ToCmdId(ctrlId)) : "";
  services_.traffic.AppendLine("Not sent" + (name.empty() ? "" : " (" + name + ")") +
                               ": the camera does not answer.");
  return false;
}

CVistrelDlg::Activity::Activity(CVistrelDlg& dialog, const char* what)
    : dialog_(dialog), before_(dialog.activity_) {
  dialog_.activity_ = what;
  dialog_.UpdateStatusBar();
  dialog_.ui_->statusState->repaint();
}

CVistrelDlg::Activity::~Activity() {
  dialog_.activity_ = before_;
  dialog_.UpdateStatusBar();
}

void CVistrelDlg::OnlineStatusChanged(int online) {
  (void)online;
  UpdateStatusBar();
}

void CVistrelDlg::UpdateStatusBar() {
  const bool online = services_.notifier.IsOnline();
  ui_->statusState->setText(!activity_.isEmpty() ? activity_ : online ? "Online" : "Offline");
  ui_->statusChannel->setText(QString::fromStdString(services_.channel.ChannelInUse()));
  ui_->statusModel->setText(QString::fromStdString(services_.session.Model().name));
  const QString values = StatusValues();
  ui_->statusValues->setText(values);
  ui_->statusValues->setStyleSheet(values.isEmpty() ? "" : ControlRegistry::kUnreadStyle);
  ui_->statusValues->setVisible(!values.isEmpty());
  // Offline, the pages show what was last read (or the initial values, never read).
  const QString mark = !ValuesRead()
                           ? QString("Offline: values not read from the camera")
                           : QString("Offline: last-read values, read at %1").arg(readAt_);
  pagesMark_->setText(online ? QString() : mark);
  pagesMark_->setVisible(!online);
}

QString CVistrelDlg::StatusValues() const {
  const QString legend = QString(" (tinted fields: %1)").arg(ControlRegistry::kNotReadLine);
  if (!ValuesRead())
    return "Values not read yet" + legend;
  const size_t unread = services_.session.LastRead().unread.size();
  return unread == 0 ? QString() : QString("%1 values not read").arg(unread) + legend;
}

QString CVistrelDlg::PagesMark() const {
  return pagesMark_->isHidden() ? QString() : pagesMark_->text();
}

QString CVistrelDlg::StatusText() const {
  return QStringList{ui_->statusState->text(), ui_->statusChannel->text(), ui_->statusModel->text()}
      .join(' ');
}

void CVistrelDlg::ShowStatusNote(const QString& note) {
  ui_->statusNote->setText(note);
  ui_->statusNote->setToolTip(note);
}

QString CVistrelDlg::StatusNote() const {
  return ui_->statusNote->text();
}

}  // namespace vistrel
