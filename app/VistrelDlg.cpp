#include "app/VistrelDlg.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTime>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabBar>
#include <filesystem>

#include "app/FieldNames.h"
#include "app/IdentityWindows.h"
#include "app/MenuCommands.h"
#include "app/PageCaptions.h"
#include "app/PageHooks.h"
#include "app/TabSheetDialog.h"
#include "app/UpDown.h"
#include "camera/FlashAreas.h"
#include "camera/ReadAll.h"
#include "core/ControlIds.h"
#include "core/TimeLimits.h"
#include "params/Handlers.h"
#include "params/ModelControls.h"
#include "params/PageLists.h"
#include "params/PageRefresh.h"
#include "res/Resources.h"
#include "ui/AdjustProgressDialog.h"
#include "ui/CommunicationDialog.h"
#include "ui/LogFiles.h"
#include "ui/ProgressBarDialog.h"
#include "ui/TerminalDialog.h"
#include "ui_VistrelDlg.h"

namespace vistrel {

namespace {

constexpr const char* kTitle = "QX-70500-VLNK Vistrel";
constexpr const char* kVersion = "0.3.7";
constexpr int kWriteMs = limits::kReplyMs;

LogFolderAccess LogFolder(StoredSettings& settings) {
  return {[&settings] { return settings.GetStoredText(kStoredCommandLogFilePath).value; },
          [&settings](const std::string& folder) {
            settings.SetStoredText(kStoredCommandLogFilePath, folder);
          }};
}

}  // namespace

CVistrelDlg::CVistrelDlg(AppServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      ui_(std::make_unique<Ui::VistrelDlg>()),
      registry_(new ControlRegistry(services.table, this)),
      files_(services, *this, this),
      portWatch_(new PortWatch(services, *this, this)),
      idleTimer_(new QTimer(this)) {
  InitResources();
  ui_->setupUi(this);
  controlMode_ = services_.settings.GetStoredNumber(kStoredControlMode, 0).value == 1 ? 1 : 0;
  services_.session.SetFactoryMode(controlMode_ == 1);
  hooks_ = std::make_unique<DialogPageHooks>(services_, *registry_, *this);
  menu_ = new MenuCommands(*this, services_.messages);
  for (int i = 0; i < kPageCount; ++i) {
    const PageInfo& info = kPages[i];
    pages_[static_cast<size_t>(i)] =
        new CTabSheetDialog(info.templateId, this, info.title, info.factoryOnly);
    pages_[static_cast<size_t>(i)]->hide();
  }
  for (CTabSheetDialog* page : pages_)
    registry_->AddRoot(page->Form());
  registry_->AddRoot(this);
  for (CTabSheetDialog* page : pages_) {
    ApplyCaptions(page->Form(), ControlCaptions(), services_.table);
    NameFields(page->Form(), MenuBarLetters());
    page->setAccessibleName(page->Title());
  }
  for (const NamelessControl& control : ControlsWithoutCommand(services_.table))
    registry_->DisableForGood(control.ctrlId, NoCommandTooltip(control.commandId));
  for (int i = 0; i < services_.table.RowCount(); ++i)
    rowIds_.insert(services_.table.Row(i).ctrlId);
  registry_->SetHandler([this](Notification what, int id, int32_t position, int32_t step) {
    Dispatch(what, id, position, step);
  });
  registry_->SetRangeSource([this] { return CurrentRangeInputs(); });
  // A choice that cannot show the camera's value says so in the command log; the program's
  // initial values are not the camera's and go unmentioned.
  registry_->SetNoteSink([this](const std::string& line) {
    if (ValuesRead())
      services_.traffic.AppendLine(line);
  });
  pagesMark_ = new QLabel(ui_->c1244);
  pagesMark_->setStyleSheet(ControlRegistry::kUnreadStyle);
  ui_->c1244->setCornerWidget(pagesMark_);
  identity_ = new IdentityWindows(
      services_, *registry_, [this] { return controlMode_; }, this);

  terminal_ = new CTerminalDialog(services_.messages, services_.notifier, services_.locks,
                                  LogFolder(services_.settings), this);
  terminal_->SetWriter(
      [this](const std::string& text) { return services_.engine.Channel().Write(text); });
  communication_ = new CCommunicationDialog(
      services_.channel, *this, services_.messages, services_.notifier, services_.locks,
      LogFolder(services_.settings), services_.settings.PreviousShutdownWasNormal(), this);
  services_.traffic.Add(terminal_);
  services_.traffic.Add(communication_);
  progress_ = new CProgressBarDialog(this);
  CreateLutEditors();
  services_.session.SetProgress(progress_);
  adjustProgress_ = new CAdjustProgressDialog(this);
  services_.session.SetAdjustWatch(adjustProgress_);
  services_.session.SetView(registry_);
  services_.session.SetHooks(PageHooks::Of(*hooks_));
  connect(ui_->c1244, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
  connect(idleTimer_, &QTimer::timeout, this, [this] { services_.engine.DrainIdle(); });
  qApp->installEventFilter(this);
}

CVistrelDlg::~CVistrelDlg() {
  // Widgets that lose the focus while they go report it; nothing of the dialog may answer.
  registry_->Detach();
  disconnect(ui_->c1244, nullptr, this, nullptr);
  qApp->removeEventFilter(this);
  idleTimer_->stop();
  portWatch_->Stop();
  services_.notifier.Unregister(this);
  // The stop must reach the camera before the channel closes.
  StopMovingParts();
  services_.channel.Close();
  services_.settings.SetStoredNumber(kStoredControlMode, static_cast<uint32_t>(controlMode_));
  // The logs go with their windows.
  services_.traffic = TrafficFanOut();
  services_.session.SetProgress(nullptr);
  services_.session.SetAdjustWatch(nullptr);
  services_.session.SetView(nullptr);
  services_.session.SetHooks({});
}

bool CVistrelDlg::RunMenuCommand(int id) {
  return menu_->Run(id);
}

QAction* CVistrelDlg::MenuAction(int id) const {
  return menu_->Action(id);
}

QMenuBar* CVistrelDlg::MenuBar() const {
  return menu_->MenuBar();
}

QMenu* CVistrelDlg::UtilityMenu() const {
  return menu_->UtilityMenu();
}

CButtonDlg& CVistrelDlg::MotorLens() {
  return identity_->MotorLens();
}

QWidget* CVistrelDlg::LinkIndicator() const {
  return ui_->c1161;
}

void CVistrelDlg::Initialise() {
  setWindowIcon(QIcon(":/vistrel/icon"));
  SetStatusPicture(ui_->c1161);
  services_.notifier.Register(this);
  services_.locks.Add(this);
  setWindowTitle(QString("%1  Ver %2").arg(kTitle, kVersion));
  std::vector<QWidget*> windows{this};
  for (QDialog* window : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
    windows.push_back(window);
  NameWindows(windows);
  if (const std::optional<std::string> notice = services_.settings.Notice())
    services_.messages.ShowMessage(*notice, "Vistrel", MessageIcon::Exclamation);
  idleTimer_->start(kIdleMs);
  portWatch_->Start(kWatchMs, kProbeEveryMs);
  communication_->Initialise();
  communication_->show();
  for (CTabSheetDialog* page : pages_)
    page->hide();
  // Before the first read the lists carry their values and the pages the initial values.
  FillPageLists(*registry_, services_.session.Model().code);
  registry_->ApplyRanges();
  services_.table.ShowAll(*registry_);
  hooks_->RefreshCameraLinkControls();

  if (!services_.channel.Reopen()) {
    services_.messages.ShowMessage("Failed to initialize!", "Vistrel", MessageIcon::Exclamation);
    channelOk_ = false;
  } else {
    channelOk_ = CheckModel();
  }
  if (channelOk_) {
    const Activity reading(*this, "Reading");
    Reload(services_.session);
  }
  BuildTabs();
  ReportIncompleteRead();
  // The table's initial values are not the camera's: they are never written into it.
  if (ValuesRead())
    services_.table.WriteChangedParameters(services_.engine, *registry_, kWriteMs);
  services_.table.MarkAllSent();
  if (!channelOk_)
    return;
  AfterCameraRead();
}

void CVistrelDlg::AfterCameraRead() {
  FillPageLists(*registry_, services_.session.Model().code);
  services_.table.MarkAllSent();
  services_.table.ShowAll(*registry_);
  registry_->ApplyRanges();
  registry_->SetSpinRange(ctl::SequencerIndexSpin, 1, kSequencerEntries);
  // The lists filled above are rebuilt from the values now shown.
  HandlerContext context = Context();
  PageRefresh::RefreshDependentStates(context);
  UpdateLutMenu();
  ClearEntryMarks();  // the entry shown is the camera's again
}

void CVistrelDlg::BuildTabs() {
  QTabWidget* tabs = ui_->c1244;
  const QSignalBlocker blocker(tabs);
  while (tabs->count() > 0)
    tabs->removeTab(0);
  for (int i = 0; i < kPageCount; ++i) {
    CTabSheetDialog* page = pages_[static_cast<size_t>(i)];
    page->hide();
    if ((controlMode_ == 1 || !page->FactoryOnly()) && kPages[i].shownAsTab) {
      const int tab = tabs->addTab(page, page->Title());
      tabs->tabBar()->setTabData(tab, i);
    } else {
      page->setParent(this);
      page->hide();
    }
  }
  tabs->setCurrentIndex(0);
  OnTabChanged(0);
  UtilityMenu()->setEnabled(controlMode_ == 1);
  UtilityMenu()->menuAction()->setEnabled(controlMode_ == 1);
  communication_->UpdateControlMode();
}

QStringList CVistrelDlg::TabTitles() const {
  QStringList titles;
  for (int i = 0; i < ui_->c1244->count(); ++i)
    titles << ui_->c1244->tabText(i);
  return titles;
}

void CVistrelDlg::OnTabChanged(int index) {
  const QVariant data = ui_->c1244->tabBar()->tabData(index);
  if (!data.isValid())
    return;
  const int page = data.toInt();
  if (page < 0 || page >= kPageCount)
    return;
  for (int i = 0; i < kPageCount; ++i)
    pages_[static_cast<size_t>(i)]->setVisible(i == page);
}

void CVistrelDlg::ToggleControlMode() {
  controlMode_ = controlMode_ == 1 ? 0 : 1;
  services_.session.SetFactoryMode(controlMode_ == 1);
  BuildTabs();
  if (ValuesRead())
    services_.table.WriteChangedParameters(services_.engine, *registry_, kWriteMs);
  services_.table.MarkAllSent();
}

void CVistrelDlg::ReloadCamera() {
  ReadAndShow([this] {
    services_.session.ForgetModel();
    Reload(services_.session);
  });
}

void CVistrelDlg::ReadAndShow(const std::function<void()>& read) {
  const Activity reading(*this, "Reading");
  read();
  ShowRead();
}

void CVistrelDlg::ShowRead() {
  AfterCameraRead();
  ReportIncompleteRead();
}

void CVistrelDlg::ReportIncompleteRead() {
  const ReadAllResult& pass = services_.session.LastRead();
  if (pass.ran && !pass.read.empty())
    readAt_ = QTime::currentTime().toString("HH:mm:ss");
  MarkUnreadFields();
  if (pass.Complete())
    return;
  // The values are named as the pages name their fields.
  const RowNamer caption = [this](int row) {
    const QWidget* field = registry_->FindControl(services_.table.Row(row).ctrlId);
    return field != nullptr ? field->accessibleName().toStdString() : std::string();
  };
  services_.messages.ShowMessage(
      UnreadMessage(pass, caption) +
          "\nThe controls of those settings do not show the camera's values.",
      pass.cancelled ? kReadCancelledTitle : "Communication Error",
      pass.cancelled ? MessageIcon::Information : MessageIcon::Exclamation);
}

void CVistrelDlg::MarkUnreadFields() {
  const ReadAllResult& pass = services_.session.LastRead();
  std::vector<int> unread;
  for (int row = 0; row < services_.table.RowCount(); ++row) {
    const bool missed = ValuesRead() ? std::ranges::find(pass.unread, row) != pass.unread.end()
                                     : IsRowReadForModel(services_.session, row);
    if (missed)
      unread.push_back(services_.table.Row(row).ctrlId);
  }
  registry_->MarkUnread(unread);
  UpdateStatusBar();
}

void CVistrelDlg::SaveSettingFile() {
  files_.SaveSettingFileAs(true);
}

void CVistrelDlg::LoadSettingFile() {
  files_.LoadSettingFile();
}

void CVistrelDlg::StoreUserSet(int userSet) {
  files_.StoreUserSet(userSet);
}

void CVistrelDlg::LoadUserSet(int userSet) {
  files_.LoadUserSet(userSet);
}

void CVistrelDlg::RefreshState() {}

bool CVistrelDlg::CameraAnswers(int limitMs) {
  return portWatch_->CameraAnswers(limitMs);
}

bool CVistrelDlg::CheckModel() {
  const bool answered = services_.session.CheckModelAgain() == Outcome::Done;
  hooks_->OfferControlsForModel(services_.session.Model());
  return answered;
}

void CVistrelDlg::ReadAllSettings() {
  ReloadCamera();
}

void CVistrelDlg::accept() {}

void CVistrelDlg::reject() {
  if (!skipExitConfirmation_ && !services_.messages.AskYesNo(kExitQuestion, "Confirm"))
    return;
  StopMovingParts();
  QDialog::reject();
}

void CVistrelDlg::ShutDown() {
  skipExitConfirmation_ = true;
  // Windows that wait for the operator (a message, the run's progress window) are closed
  // first; each returns from its own event loop, the run's sends its off setting, and the
  // dialog's own loop ends last.
  constexpr int kMostNestedWindows = 8;
  for (int i = 0; i < kMostNestedWindows; ++i) {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr || dialog == this)
      break;
    dialog->reject();
  }
  reject();
}

void CVistrelDlg::StopMovingParts() {
  identity_->ReleaseLens();
  if (adjustProgress_ != nullptr && adjustProgress_->Running())
    adjustProgress_->reject();
}

}  // namespace vistrel
