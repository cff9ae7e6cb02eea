#include "app/VistrelDlg.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QTabBar>
#include <filesystem>

#include "app/MainMenu.h"
#include "app/PageCaptions.h"
#include "app/ParameterAreaSelectDialog.h"
#include "app/TabSheetDialog.h"
#include "app/UpDown.h"
#include "camera/FlashAreas.h"
#include "camera/ReadAll.h"
#include "camera/SettingFile.h"
#include "core/ControlIds.h"
#include "core/TimeLimits.h"
#include "params/EntryTableHandlers.h"
#include "params/Handlers.h"
#include "params/Identity.h"
#include "params/ModelControls.h"
#include "params/PageLists.h"
#include "params/PageRefresh.h"
#include "res/Resources.h"
#include "ui/AboutDialog.h"
#include "ui/AdjustProgressDialog.h"
#include "ui/ButtonDlg.h"
#include "ui/CameraIdDialog.h"
#include "ui/CommunicationDialog.h"
#include "ui/LogFiles.h"
#include "ui/OnlineStatusCallback.h"
#include "ui/ProgressBarDialog.h"
#include "ui/TerminalDialog.h"
#include "ui/UserIdDialog.h"
#include "ui_VistrelDlg.h"

namespace vistrel {

namespace {

static_assert(AccessCode::kF12 == Qt::Key_F12);

constexpr const char* kTitle = "QX-70500-VLNK Vistrel";
constexpr const char* kVersion = "0.3.7";
constexpr int kWriteMs = limits::kReplyMs;
constexpr int kSequencerEntries = 128;
constexpr const char* kResetQuestion =
    "Reset the camera now?\nThe camera restarts, and this program closes.";

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
      idleTimer_(new QTimer(this)),
      watchTimer_(new QTimer(this)),
      probeTimer_(new QTimer(this)) {
  InitResources();
  ui_->setupUi(this);
  controlMode_ = services_.settings.GetStoredNumber(kStoredControlMode, 0).value == 1 ? 1 : 0;
  services_.session.factoryMode = controlMode_ == 1;
  BuildMenu();
  for (int i = 0; i < kPageCount; ++i) {
    const PageInfo& info = kPages[i];
    pages_[static_cast<size_t>(i)] =
        new CTabSheetDialog(info.templateId, this, info.title, info.factoryOnly);
    pages_[static_cast<size_t>(i)]->hide();
  }
  for (CTabSheetDialog* page : pages_)
    registry_->AddRoot(page->Form());
  registry_->AddRoot(this);
  for (CTabSheetDialog* page : pages_)
    ApplyCaptions(page->Form(), PageCaptions(), services_.table);
  for (const NamelessControl& control : ControlsWithoutCommand(services_.table))
    registry_->DisableForGood(control.ctrlId, NoCommandTooltip(control.commandId));
  for (int i = 0; i < services_.table.RowCount(); ++i)
    rowIds_.insert(services_.table.Row(i).ctrlId);
  registry_->SetHandler([this](Notification what, int id, int32_t position, int32_t step) {
    Dispatch(what, id, position, step);
  });
  registry_->SetRangeSource([this] { return CurrentRangeInputs(); });
  WatchXmlVersionGroup();

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
  services_.session.SetHooks(this);
  connect(ui_->c1244, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
  connect(idleTimer_, &QTimer::timeout, this, [this] { services_.engine.DrainIdle(); });
  connect(watchTimer_, &QTimer::timeout, this, [this] { WatchPort(); });
  connect(probeTimer_, &QTimer::timeout, this, [this] { ProbeWhileOffline(); });
  qApp->installEventFilter(this);
}

CVistrelDlg::~CVistrelDlg() {
  qApp->removeEventFilter(this);
  idleTimer_->stop();
  watchTimer_->stop();
  probeTimer_->stop();
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
  services_.session.SetHooks(nullptr);
}

void CVistrelDlg::BuildMenu() {
  menuBar_ = new QMenuBar(this);
  layout()->setMenuBar(menuBar_);
  std::map<std::string, QMenu*> popups;
  for (const char* title : kMenuTitles)
    popups[title] = menuBar_->addMenu(title);
  utilityMenu_ = popups["Utility(&U)"];
  lutMenu_ = popups["LUT(&L)"];
  for (const MenuItem& item : kMenuItems) {
    QMenu* popup = popups[item.popup];
    std::string text = item.text;
    if (const size_t slash = text.find('/'); slash != std::string::npos) {
      const QString sub = QString::fromStdString(text.substr(0, slash));
      QMenu* submenu = popup->findChild<QMenu*>(sub);
      if (submenu == nullptr) {
        submenu = popup->addMenu(sub);
        submenu->setObjectName(sub);
      }
      popup = submenu;
      text = text.substr(slash + 1);
    }
    QAction* action = popup->addAction(QString::fromStdString(text));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { RunMenuCommand(id); });
    actions_[id] = action;
  }
}

QAction* CVistrelDlg::MenuAction(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QWidget* CVistrelDlg::LinkIndicator() const {
  return ui_->c1161;
}

void CVistrelDlg::Initialise() {
  services_.session.link = CameraLinkState{1, 3, 2, 3};
  setWindowIcon(QIcon(":/vistrel/icon"));
  SetStatusPicture(ui_->c1161);
  services_.notifier.Register(this);
  services_.locks.Add(this);
  setWindowTitle(QString("%1  Ver %2").arg(kTitle, kVersion));
  if (const std::optional<std::string> notice = services_.settings.Notice())
    services_.messages.ShowMessage(*notice, "Vistrel", MessageIcon::Exclamation);
  idleTimer_->start(kIdleMs);
  watchTimer_->start(kWatchMs);
  probeTimer_->start(kProbeEveryMs);
  communication_->Initialise();
  communication_->show();
  for (CTabSheetDialog* page : pages_)
    page->hide();
  // Before the first read the lists carry their values and the pages the initial values.
  FillPageLists(*registry_, services_.session.model.code);
  registry_->ApplyRanges();
  services_.table.ShowAll(*registry_);
  RefreshCameraLinkControls();

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
  services_.table.WriteChangedParameters(services_.engine, *registry_, kWriteMs);
  services_.table.MarkAllSent();
  if (!channelOk_)
    return;
  AfterCameraRead();
}

void CVistrelDlg::AfterCameraRead() {
  FillPageLists(*registry_, services_.session.model.code);
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
  utilityMenu_->setEnabled(controlMode_ == 1);
  utilityMenu_->menuAction()->setEnabled(controlMode_ == 1);
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
  services_.session.factoryMode = controlMode_ == 1;
  BuildTabs();
  services_.table.WriteChangedParameters(services_.engine, *registry_, kWriteMs);
  services_.table.MarkAllSent();
}

HandlerContext CVistrelDlg::Context() {
  return HandlerContext{services_.table, services_.engine, *registry_, services_.session};
}

RangeInputs CVistrelDlg::CurrentRangeInputs() {
  RangeInputs inputs = ModelRangeInputs(services_.session.model);
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

bool CVistrelDlg::RunMenuCommand(int id) {
  if (RunLutMenuCommand(id))
    return true;
  switch (id) {
    case menu::kOpen:
      LoadSettingFile();
      return true;
    case menu::kSaveAllData:
      SaveSettingFileAs(true);
      return true;
    case menu::kSaveShippingData:
      SaveSettingFileAs(false);
      return true;
    case menu::kExit:
      reject();
      return true;
    case menu::kReload:
      ReloadCamera();
      return true;
    case menu::kLoadSettings:
      ChooseAreaAndRun(false);
      return true;
    case menu::kStoreSettings:
      ChooseAreaAndRun(true);
      return true;
    case menu::kOpenCommunication:
      communication_->show();
      communication_->raise();
      return true;
    case menu::kOpenTerminal:
      terminal_->show();
      terminal_->raise();
      return true;
    default:
      return RunIdentityMenuCommand(id);
  }
}

// --- identity windows, motor lens and the identity groups of the factory page ---

bool CVistrelDlg::RunIdentityMenuCommand(int id) {
  CameraSession& session = services_.session;
  switch (id) {
    case menu::kAbout: {
      CAboutDialog dialog(session, services_.notifier, services_.locks, controlMode_, this);
      dialog.exec();
      return true;
    }
    case menu::kEditUserId: {
      CUserIdDialog dialog(session, services_.notifier, services_.locks, this);
      dialog.exec();
      return true;
    }
    case menu::kEditCameraId: {
      CCameraIdDialog dialog(session, services_.notifier, services_.locks, controlMode_, this);
      dialog.exec();
      return true;
    }
    case menu::kMotorLens:
      MotorLens().show();
      MotorLens().raise();
      return true;
    default:
      return false;
  }
}

CButtonDlg& CVistrelDlg::MotorLens() {
  if (motorLens_ == nullptr)
    motorLens_ = new CButtonDlg(services_.engine, this);
  return *motorLens_;
}

void CVistrelDlg::WatchXmlVersionGroup() {
  auto refresh = [this] { Identity::RefreshXmlWrite(*registry_, services_.notifier.IsOnline()); };
  for (int id : ctl::XmlDigitFields) {
    if (auto* field = qobject_cast<QLineEdit*>(registry_->FindControl(id)))
      connect(field, &QLineEdit::textChanged, this, refresh);
  }
  new OnlineStatusCallback(
      services_.notifier, [refresh](bool) { refresh(); }, this);
  refresh();
}

// --- end of the identity block ---

void CVistrelDlg::ReloadCamera() {
  const Activity reading(*this, "Reading");
  services_.session.ForgetModel();
  Reload(services_.session);
  AfterCameraRead();
  ReportIncompleteRead();
}

void CVistrelDlg::ReportIncompleteRead() {
  const ReadAllResult& pass = services_.session.lastRead;
  std::vector<int> unread;
  for (int row : pass.unread)
    unread.push_back(services_.table.Row(row).ctrlId);
  registry_->MarkUnread(unread);
  if (!pass.Complete())
    services_.messages.ShowMessage(UnreadMessage(pass) +
                                       "\nThe controls of those settings do not show the "
                                       "camera's values.",
                                   "Communication Error", MessageIcon::Exclamation);
}

void CVistrelDlg::ChooseAreaAndRun(bool storing) {
  std::optional<int> area;
  if (areaChooser_) {
    area = areaChooser_(storing);
  } else {
    CParameterAreaSelectDialog dialog(AreaChoices(storing, controlMode_ == 1),
                                      storing ? "Store settings" : "Load settings",
                                      services_.notifier, this);
    if (dialog.exec() == QDialog::Accepted) {
      const int chosen = AreaFromChoice(dialog.Choice());
      if (chosen >= 0)
        area = chosen;
    }
  }
  if (!area)
    return;
  selectedArea_ = *area;
  if (storing) {
    StoreArea(services_.session, *area);
  } else {
    const Activity reading(*this, "Reading");
    LoadArea(services_.session, *area);
    AfterCameraRead();
    ReportIncompleteRead();
  }
}

void CVistrelDlg::SaveSettingFileAs(bool allData) {
  const std::string folder = services_.settings.GetStoredText(kStoredCameraFilePath).value;
  const std::optional<std::string> path =
      services_.messages.ChooseFile(true, folder, kSettingFileExtension, kSettingFileFilter);
  if (!path || path->empty())
    return;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      !services_.messages.AskYesNo(ReplaceQuestion(*path), "Confirm"))
    return;
  if (WriteSettingFile(services_.session, *path,
                       allData ? SettingFileVariant::AllData : SettingFileVariant::ShippingData) ==
      Outcome::Done)
    RememberCameraFileFolder(ParentFolderOf(*path));
}

void CVistrelDlg::SaveSettingFile() {
  SaveSettingFileAs(true);
}

void CVistrelDlg::LoadSettingFile() {
  const std::string folder = services_.settings.GetStoredText(kStoredCameraFilePath).value;
  const std::optional<std::string> path =
      services_.messages.ChooseFile(false, folder, kSettingFileExtension, kSettingFileFilter);
  if (!path || path->empty())
    return;
  vistrel::LoadSettingFile(services_.session, *path, nullptr, OtherModel::Ask);
}

void CVistrelDlg::StoreUserSet(int userSet) {
  UserSetStore(services_.session, userSet);
}

void CVistrelDlg::LoadUserSet(int userSet) {
  if (UserSetLoad(services_.session, userSet) == Outcome::Done ||
      !services_.session.HaveCameraValues()) {
    AfterCameraRead();
    ReportIncompleteRead();
  }
}

void CVistrelDlg::RefreshState() {}

void CVistrelDlg::WatchPort() {
  // Not while a pass runs (the window is disabled) or a message waits for the operator: the
  // pass ends on the lost port by itself, and the reopening waits until it has.
  const QWidget* modal = QApplication::activeModalWidget();
  if (!isEnabled() || (modal != nullptr && modal != this))
    return;
  switch (services_.channel.WatchPort()) {
    case IChannelSetup::PortEvent::None:
      break;
    case IChannelSetup::PortEvent::Lost:
      services_.notifier.SetOffline();
      break;
    case IChannelSetup::PortEvent::Reopened:
      channelOk_ = Reconnect();
      break;
  }
}

bool CVistrelDlg::CheckModel() {
  services_.session.ForgetModel();
  const bool answered = services_.session.CheckModelOnce();
  OfferControlsForModel(services_.session.model);
  return answered;
}

void CVistrelDlg::OfferControlsForModel(const CameraModel& model) {
  registry_->Withhold(ControlsLackingForModel(services_.table, model.code));
}

void CVistrelDlg::PreparePagesForModel(const CameraModel& model) {
  // First, so that the page setup for the model sees only the controls the model has.
  OfferControlsForModel(model);
  HandlerContext context = Context();
  PageRefresh::PreparePagesForModel(context);
}

void CVistrelDlg::ReadAllSettings() {
  ReloadCamera();
}

void CVistrelDlg::LockWindows(bool locked) {
  if (locked)
    services_.locks.DisableAll();
  else
    services_.locks.EnableAll();
}

void CVistrelDlg::PumpEvents() {
  QCoreApplication::processEvents();
}

void CVistrelDlg::FillModelChoice(const std::vector<std::string>& entries, int selected) {
  std::vector<ChoiceItem> items;
  for (size_t i = 0; i < entries.size(); ++i)
    items.push_back({entries[i], static_cast<int32_t>(i)});
  registry_->RefillChoice(ctl::ModelChoice, items);
  SelectChoiceEntry(ctl::ModelChoice, selected);
}

void CVistrelDlg::SelectChoiceEntry(int ctrlId, int entry) {
  if (auto* combo = qobject_cast<QComboBox*>(registry_->FindControl(ctrlId)))
    combo->setCurrentIndex(entry);
}

void CVistrelDlg::FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int selected) {
  std::vector<ChoiceItem> items;
  for (const ChoiceEntry& entry : entries)
    items.push_back({entry.text, entry.value});
  registry_->RefillChoice(ctl::CameraBaud, items);
  SelectChoiceEntry(ctl::CameraBaud, selected);
}

void CVistrelDlg::ShowVideoMode(int value) {
  PageRefresh::ShowVideoMode(*registry_, value);
}

void CVistrelDlg::ApplySequencerIndex() {
  // The entry of the index the page shows, read after every read-all pass.
  if (!channelOk_)
    return;
  const std::optional<int32_t> index = registry_->ReadControlValue(ctl::SequencerIndex);
  HandlerContext context = Context();
  EntryTableHandlers::ReadSequencerEntry(context,
                                         std::clamp(index.value_or(1), 1, kSequencerEntries));
}

void CVistrelDlg::RefreshDependentStates() {
  HandlerContext context = Context();
  PageRefresh::RefreshDependentStates(context);
}

void CVistrelDlg::RefreshRemainingPages() {
  HandlerContext context = Context();
  PageRefresh::RefreshRemainingPages(context);
}

void CVistrelDlg::RefreshCameraLinkControls() {
  HandlerContext context = Context();
  PageRefresh::RefreshCameraLinkControls(context);
}

void CVistrelDlg::RefreshExposureModeControls() {
  HandlerContext context = Context();
  PageRefresh::RefreshExposureModeControls(context);
}

void CVistrelDlg::ActivateMainWindow() {
  activateWindow();
}

void CVistrelDlg::RememberCameraFileFolder(const std::string& folder) {
  services_.settings.SetStoredText(kStoredCameraFilePath, folder);
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
  if (motorLens_ != nullptr)
    motorLens_->Release();
  if (adjustProgress_ != nullptr && adjustProgress_->Running())
    adjustProgress_->reject();
}

bool CVistrelDlg::InPage(const QWidget* widget) const {
  for (const CTabSheetDialog* page : pages_) {
    if (widget != nullptr && (widget == page || page->isAncestorOf(widget)))
      return true;
  }
  return false;
}

void CVistrelDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();  // the dialog's OK action does nothing
      return;
    case Qt::Key_Escape:
      if (InPage(focusWidget())) {
        event->accept();  // Escape in a control of a page is swallowed
        return;
      }
      reject();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool CVistrelDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this)
    return false;
  // A key event travels up through the parents; look at it once, where it starts.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr ? widget != focus : widget != this)
    return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int code = key->key();
  if (code == Qt::Key_Shift || code == Qt::Key_Control || code == Qt::Key_Alt ||
      code == Qt::Key_Meta)
    return false;
  const Qt::KeyboardModifiers modifiers = key->modifiers();
  const AccessCode::Result result = accessCode_.Press(code, modifiers.testFlag(Qt::ShiftModifier),
                                                      modifiers.testFlag(Qt::ControlModifier));
  if (result == AccessCode::Result::Completed)
    ToggleControlMode();
  // The keys of the code are meant for the program, not for the focused field.
  if (result == AccessCode::Result::Armed || result == AccessCode::Result::Advanced ||
      result == AccessCode::Result::Completed)
    return true;
  if ((code == Qt::Key_Up || code == Qt::Key_Down) && modifiers == Qt::NoModifier)
    return StepNumberField(focus, code == Qt::Key_Up ? 1 : -1);
  return false;
}

bool CVistrelDlg::StepNumberField(QWidget* focus, int step) {
  auto* edit = qobject_cast<QLineEdit*>(focus);
  if (edit == nullptr || edit->isReadOnly())
    return false;
  auto* spin = qobject_cast<CUpDown*>(
      registry_->FindControl(registry_->SpinOfEdit(ControlRegistry::IdOf(edit))));
  if (spin == nullptr || !spin->isEnabled())
    return false;
  spin->PressArrow(step);
  return true;
}

}  // namespace vistrel
