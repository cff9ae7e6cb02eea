#include "app/VistrelDlg.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTabBar>

#include "app/FieldNames.h"
#include "app/MainMenu.h"
#include "app/PageCaptions.h"
#include "app/PageHooks.h"
#include "app/TabSheetDialog.h"
#include "camera/ReadAll.h"
#include "core/ControlIds.h"
#include "params/ModelControls.h"
#include "params/PageLists.h"
#include "params/PageRefresh.h"
#include "res/Resources.h"
#include "ui/CommunicationDialog.h"
#include "ui_VistrelDlg.h"

namespace vistrel {

namespace {

constexpr const char* kTitle = "QX-70500-VLNK Vistrel";
constexpr const char* kVersion = "0.3.7";
constexpr int kWriteMs = limits::kReplyMs;

}  // namespace

CVistrelDlg::CVistrelDlg(AppServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      ui_(std::make_unique<Ui::VistrelDlg>()),
      registry_(new ControlRegistry(services.table, this)),
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

  status_ = std::make_unique<MainStatusBar>(services_, *registry_, *ui_);
  entry_ = std::make_unique<SequencerEntryMarks>(*registry_, services_.messages);
  files_ = std::make_unique<CameraFileActions>(services_, *this, this);
  identity_ = new IdentityWindows(
      services_, *registry_, [this] { return controlMode_; }, this);
  host_ = std::make_unique<CommunicationHost>(
      services_, CommunicationHost::Parts{*this, *files_, *hooks_, *status_, *portWatch_});
  tools_ = std::make_unique<ToolWindows>(services_, *host_, this);
  luts_ = std::make_unique<LutEditors>(services_, *registry_, this);
  luts_->UpdateMenu(*menu_);
  dispatch_ = std::make_unique<ControlDispatch>(
      services_, *registry_, ControlDispatch::Parts{*status_, *entry_, *luts_, *portWatch_},
      [this] {
        skipExitConfirmation_ = true;
        reject();
      });
  for (IMenuPart* part :
       std::initializer_list<IMenuPart*>{this, files_.get(), luts_.get(), tools_.get(), identity_})
    menu_->AddPart(*part);

  registry_->SetHandler([this](Notification what, int id, int32_t position, int32_t step) {
    dispatch_->Dispatch(what, id, position, step);
  });
  registry_->SetRangeSource([this] { return dispatch_->CurrentRangeInputs(); });
  // A choice that cannot show the camera's value says so in the command log; the program's
  // initial values are not the camera's and go unmentioned.
  registry_->SetNoteSink([this](const std::string& line) {
    if (services_.session.ValuesReadSinceStart())
      services_.traffic.AppendLine(line);
  });
  services_.session.SetView(registry_);
  services_.session.SetHooks(PageHooks::Of(*hooks_));
  connect(ui_->c1244, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
  connect(idleTimer_, &QTimer::timeout, this, [this] { services_.engine.DrainIdle(); });
  keys_ = std::make_unique<MainKeys>(*this, *registry_, pages_, [this] { ToggleControlMode(); });
}

CVistrelDlg::~CVistrelDlg() {
  // Widgets that lose the focus while they go report it; nothing of the dialog may answer.
  registry_->Detach();
  disconnect(ui_->c1244, nullptr, this, nullptr);
  keys_.reset();
  idleTimer_->stop();
  portWatch_->Stop();
  services_.notifier.Unregister(status_.get());
  // The stop must reach the camera before the channel closes.
  StopMovingParts();
  services_.channel.Close();
  services_.settings.SetStoredNumber(kStoredControlMode, static_cast<uint32_t>(controlMode_));
  tools_.reset();
  services_.session.SetView(nullptr);
  services_.session.SetHooks({});
}

bool CVistrelDlg::Run(int menuId) {
  switch (menuId) {
    case menu::kExit:
      reject();
      return true;
    case menu::kReload:
      ReloadCamera();
      return true;
    default:
      return false;
  }
}

void CVistrelDlg::Initialise() {
  setWindowIcon(QIcon(":/vistrel/icon"));
  services_.notifier.Register(status_.get());
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
  tools_->Communication().Initialise();
  tools_->Communication().show();
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
    channelOk_ = host_->CheckModel();
  }
  if (channelOk_) {
    const MainStatusBar::Activity reading(*status_, "Reading");
    Reload(services_.session);
  }
  BuildTabs();
  status_->ReportRead();
  // The table's initial values are not the camera's: they are never written into it.
  if (services_.session.ValuesReadSinceStart())
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
  HandlerContext context = ContextOf(services_, *registry_);
  PageRefresh::RefreshDependentStates(context);
  luts_->UpdateMenu(*menu_);
  entry_->Clear();  // the entry shown is the camera's again
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
  menu_->UtilityMenu()->setEnabled(controlMode_ == 1);
  menu_->UtilityMenu()->menuAction()->setEnabled(controlMode_ == 1);
  tools_->Communication().UpdateControlMode();
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
  status_->MarkUnreadFields();
  if (services_.session.ValuesReadSinceStart())
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
  const MainStatusBar::Activity reading(*status_, "Reading");
  read();
  ShowRead();
}

void CVistrelDlg::ShowRead() {
  AfterCameraRead();
  status_->ReportRead();
}

void CVistrelDlg::accept() {}

void CVistrelDlg::reject() {
  if (!skipExitConfirmation_ && !services_.messages.AskYesNo(kExitQuestion, "Confirm"))
    return;
  StopMovingParts();
  QDialog::reject();
}

void CVistrelDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();  // the dialog's OK action does nothing
      return;
    case Qt::Key_Escape:
      if (keys_ != nullptr && keys_->InPage(focusWidget())) {
        event->accept();  // Escape in a control of a page is swallowed
        return;
      }
      reject();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
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
  if (tools_ != nullptr)
    tools_->StopAdjustment();
}

}  // namespace vistrel
