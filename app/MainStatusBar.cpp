#include "app/MainStatusBar.h"

#include <QtCore/QTime>
#include <QtWidgets/QLabel>
#include <algorithm>

#include "app/ControlRegistry.h"
#include "camera/ReadAll.h"
#include "core/CommandTable.h"
#include "params/ModelControls.h"
#include "ui_VistrelDlg.h"

namespace vistrel {

MainStatusBar::MainStatusBar(AppServices& services, ControlRegistry& registry, Ui::VistrelDlg& ui)
    : services_(services), registry_(registry), ui_(ui), pagesMark_(new QLabel(ui.c1244)) {
  pagesMark_->setStyleSheet(ControlRegistry::kUnreadStyle);
  ui_.c1244->setCornerWidget(pagesMark_);
  SetStatusPicture(ui_.c1161);
}

MainStatusBar::Activity::Activity(MainStatusBar& bar, const char* what)
    : bar_(bar), before_(bar.activity_) {
  bar_.activity_ = what;
  bar_.Update();
  bar_.ui_.statusState->repaint();
}

MainStatusBar::Activity::~Activity() {
  bar_.activity_ = before_;
  bar_.Update();
}

void MainStatusBar::ReportRead() {
  const ReadAllResult& pass = services_.session.LastRead();
  if (pass.ran && !pass.read.empty())
    readAt_ = QTime::currentTime().toString("HH:mm:ss");
  MarkUnreadFields();
  if (pass.Complete())
    return;
  // The values are named as the pages name their fields.
  const RowNamer caption = [this](int row) {
    const QWidget* field = registry_.FindControl(services_.table.Row(row).ctrlId);
    return field != nullptr ? field->accessibleName().toStdString() : std::string();
  };
  services_.messages.ShowMessage(
      UnreadMessage(pass, caption) +
          "\nThe controls of those settings do not show the camera's values.",
      pass.cancelled ? kReadCancelledTitle : "Communication Error",
      pass.cancelled ? MessageIcon::Information : MessageIcon::Exclamation);
}

void MainStatusBar::MarkUnreadFields() {
  const ReadAllResult& pass = services_.session.LastRead();
  everRead_.insert(pass.read.begin(), pass.read.end());
  std::vector<int> unread;
  for (int row = 0; row < services_.table.RowCount(); ++row) {
    // Missed by the last read, or never read at all (the rows of the factory pages after a
    // read in the user mode, every row before the first read); a row without a command has
    // nothing to read.
    const bool queried = IsRowReadForModel(services_.session, row) &&
                         !CommandTable::Name(services_.table.Row(row).commandId).empty();
    const bool missed = std::ranges::find(pass.unread, row) != pass.unread.end() ||
                        (queried && !everRead_.contains(row));
    if (missed)
      unread.push_back(services_.table.Row(row).ctrlId);
  }
  unreadCount_ = unread.size();
  registry_.MarkUnread(unread);
  Update();
}

void MainStatusBar::OnlineStatusChanged(int online) {
  (void)online;
  Update();
}

void MainStatusBar::Update() {
  const bool online = services_.notifier.IsOnline();
  ui_.statusState->setText(!activity_.isEmpty() ? activity_ : online ? "Online" : "Offline");
  ui_.statusChannel->setText(QString::fromStdString(services_.channel.ChannelInUse()));
  ui_.statusModel->setText(QString::fromStdString(services_.session.Model().name));
  const QString values = Values();
  ui_.statusValues->setText(values);
  ui_.statusValues->setStyleSheet(values.isEmpty() ? "" : ControlRegistry::kUnreadStyle);
  ui_.statusValues->setVisible(!values.isEmpty());
  // Offline, the pages show what was last read (or the initial values, never read).
  const QString mark = !ValuesRead()
                           ? QString("Offline: values not read from the camera")
                           : QString("Offline: last-read values, read at %1").arg(readAt_);
  pagesMark_->setText(online ? QString() : mark);
  pagesMark_->setVisible(!online);
}

QString MainStatusBar::Values() const {
  const QString legend = QString(" (tinted fields: %1)").arg(ControlRegistry::kNotReadLine);
  if (!ValuesRead())
    return "Values not read yet" + legend;
  return unreadCount_ == 0 ? QString() : QString("%1 values not read").arg(unreadCount_) + legend;
}

QString MainStatusBar::PagesMark() const {
  return pagesMark_->isHidden() ? QString() : pagesMark_->text();
}

QString MainStatusBar::Text() const {
  return QStringList{ui_.statusState->text(), ui_.statusChannel->text(), ui_.statusModel->text()}
      .join(' ');
}

void MainStatusBar::ShowNote(const QString& note) {
  ui_.statusNote->setText(note);
  ui_.statusNote->setToolTip(note);
}

QString MainStatusBar::Note() const {
  return ui_.statusNote->text();
}

QWidget* MainStatusBar::LinkIndicator() const {
  return ui_.c1161;
}

}  // namespace vistrel
