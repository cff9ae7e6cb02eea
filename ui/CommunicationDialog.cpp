#include "ui/CommunicationDialog.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>

#include "ui/TrafficLogModel.h"
#include "ui/WindowLockList.h"
#include "ui_CommunicationDialog.h"

namespace vistrel {

CCommunicationDialog::CCommunicationDialog(IChannelSetup& channel, ICommunicationHost& host,
                                           IMessagePresenter& messages,
                                           OnlineStatusNotifier& notifier, WindowLockList& locks,
                                           LogFolderAccess folder, bool previousShutdownNormal,
                                           QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CommunicationDialog>()),
      channel_(channel),
      host_(host),
      messages_(messages),
      notifier_(notifier),
      folder_(std::move(folder)),
      log_(new TrafficLogModel(kMaxMessages, this)) {
  // After a run that did not end normally the COM port is used, whatever was stored.
  if (!previousShutdownNormal)
    channel_.SetMode(0);
  ui_->setupUi(this);
  ui_->groupCurrentArea->hide();
  // A network address is shown whole: the list grows with its longest entry.
  ui_->c1005->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // The same keys as the main dialog's menu.
  ui_->c1164->setShortcut(QKeySequence::Save);
  ui_->c1165->setShortcut(QKeySequence::Open);
  ui_->c1170->setModel(log_);
  SetStatusPicture(ui_->c1158);
  locks.Add(this);

  using Combo = QComboBox;
  // The operator's choice, also of the entry already shown: choosing it again opens it again.
  askNetworkPort = [this](const std::string& current) -> std::optional<std::string> {
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, "Network port",
        "Address of the network port (rfc2217://HOST:PORT or socket://HOST:PORT):",
        QLineEdit::Normal, QString::fromStdString(current.empty() ? "rfc2217://" : current), &ok);
    if (!ok)
      return std::nullopt;
    return text.trimmed().toStdString();
  };
  connect(ui_->c1011, &Combo::activated, this, [this](int i) {
    if (!filling_)
      OnCategoryChanged(i);
  });
  connect(ui_->c1005, &Combo::activated, this, [this](int i) {
    if (!filling_)
      OnPortChanged(i);
  });
  connect(ui_->c1030, &Combo::activated, this, [this](int i) {
    if (!filling_)
      OnBaudRateChanged(i);
  });
  connect(ui_->c1029, &Combo::currentIndexChanged, this, [this] { OnUserSetChanged(); });
  connect(ui_->c1243, &QPushButton::clicked, this, [this] { OnAuto(); });
  connect(ui_->c1164, &QPushButton::clicked, this, [this] { host_.SaveSettingFile(); });
  connect(ui_->c1165, &QPushButton::clicked, this, [this] { host_.LoadSettingFile(); });
  connect(ui_->c1168, &QPushButton::clicked, this,
          [this] { host_.StoreUserSet(ui_->c1029->currentIndex()); });
  connect(ui_->c1169, &QPushButton::clicked, this,
          [this] { host_.LoadUserSet(ui_->c1029->currentIndex()); });
  connect(ui_->c1171, &QPushButton::clicked, this, [this] { OnWriteLog(); });
  connect(ui_->c1172, &QPushButton::clicked, this, [this] { OnClearLog(); });
}

CCommunicationDialog::~CCommunicationDialog() {
  notifier_.Unregister(this);
}

template <typename F>
void CCommunicationDialog::Quietly(F&& change) {
  const bool was = filling_;
  filling_ = true;
  change();
  filling_ = was;
}

void CCommunicationDialog::Initialise() {
  notifier_.Register(this);
  OnlineStatusChanged(notifier_.IsOnline() ? 1 : 0);
  Quietly([this] { ui_->c1011->setCurrentIndex(channel_.GetMode()); });
  FillPortList();
  Quietly([this] { ui_->c1030->setCurrentIndex(channel_.BaudRateIndex()); });
  // The list has no selection yet here, so this evaluation enables "Store".
  ui_->c1029->blockSignals(true);
  ui_->c1029->setCurrentIndex(-1);
  ui_->c1029->blockSignals(false);
  UpdateControlMode();
  ui_->c1029->setCurrentIndex(1);
}

void CCommunicationDialog::UpdateControlMode() {
  const bool factory = host_.ControlMode() == 1;
  for (QWidget* control : {static_cast<QWidget*>(ui_->c1018), static_cast<QWidget*>(ui_->c1030)}) {
    control->setVisible(factory);
    control->setEnabled(factory);
  }
  OnUserSetChanged();
}

void CCommunicationDialog::OnUserSetChanged() {
  ui_->c1168->setEnabled(ui_->c1029->currentIndex() != 0);
}

void CCommunicationDialog::FillPortList() {
  Quietly([this] {
    ui_->c1005->clear();
    const int count = channel_.GetPortCount();
    for (int i = 0; i < count; ++i)
      ui_->c1005->addItem(QString::fromStdString(channel_.GetPortName(i)));
    MarkPresentPorts();
    if (channel_.OffersNetworkPort())
      ui_->c1005->addItem(kNetworkPortEntry);
    const int index = channel_.GetPortIndex();
    if (index >= 0 && index < count) {
      ui_->c1005->setCurrentIndex(index);
    } else {
      channel_.OpenPort(0);
      ui_->c1005->setCurrentIndex(0);
    }
  });
  ShowDevice();
}

void CCommunicationDialog::MarkPresentPorts() {
  const std::vector<bool> present = channel_.PortsPresent();
  const QIcon mark = style()->standardIcon(QStyle::SP_DialogApplyButton);
  for (int i = 0; i < ui_->c1005->count(); ++i) {
    const std::string device = channel_.GetPortDevice(i);
    QString tip = ui_->c1005->itemText(i);  // the whole address, however narrow the list
    if (static_cast<size_t>(i) < present.size()) {
      if (present[static_cast<size_t>(i)])
        ui_->c1005->setItemIcon(i, mark);
      tip += QString::fromStdString(present[static_cast<size_t>(i)] ? ": there (" + device + ")"
                                                                    : ": no device");
    }
    ui_->c1005->setItemData(i, tip, Qt::ToolTipRole);
  }
}

void CCommunicationDialog::ShowDevice() {
  const int index = ui_->c1005->currentIndex();
  const std::string device = index >= 0 ? channel_.GetPortDevice(index) : std::string();
  ui_->labelDevice->setText(device.empty() ? QString() : QString::fromStdString("→ " + device));
  ui_->c1005->setToolTip(ui_->c1005->currentData(Qt::ToolTipRole).toString());
}

void CCommunicationDialog::OnlineStatusChanged(int online) {
  ui_->c1163->setPixmap(QPixmap(online ? ":/vistrel/503" : ":/vistrel/502"));
  ui_->c1155->setText(online ? "Online" : "Offline");
  ShowDevice();  // the channel in use may have changed with the link
}

void CCommunicationDialog::OnCategoryChanged(int index) {
  const bool ok = channel_.OpenMode(index);
  if (ok)
    host_.SetChannelOk(true);
  else
    messages_.ShowMessage("Failed to initialize!", "Vistrel", MessageIcon::Exclamation);
  host_.RefreshState();
  FillPortList();
  if (host_.CheckModel())
    host_.ReadAllSettings();
}

bool CCommunicationDialog::IsNetworkPortEntry(int index) const {
  return channel_.OffersNetworkPort() && index >= 0 && index == ui_->c1005->count() - 1;
}

void CCommunicationDialog::ChooseNetworkPort() {
  const std::optional<std::string> address = askNetworkPort(channel_.NetworkPort());
  // An address that names no network port leaves the choice as it was.
  const std::string problem =
      address && !address->empty() ? channel_.NetworkPortProblem(*address) : std::string();
  if (!problem.empty())
    messages_.ShowMessage(problem, "Network port", MessageIcon::Exclamation);
  if (!address || address->empty() || !problem.empty()) {
    Quietly([this] { ui_->c1005->setCurrentIndex(channel_.GetPortIndex()); });
    ShowDevice();
    return;
  }
  if (channel_.OpenNetworkPort(*address))
    host_.SetChannelOk(true);
  else
    messages_.ShowMessage("Failed to Com Port!", "Vistrel", MessageIcon::Exclamation);
  // The list shows the address chosen (kept even when it failed to open) before the entry.
  FillPortList();
  host_.RefreshState();
  if (host_.CheckModel())
    host_.ReadAllSettings();
}

void CCommunicationDialog::OnPortChanged(int index) {
  if (IsNetworkPortEntry(index)) {
    ChooseNetworkPort();
    return;
  }
  ShowDevice();
  if (channel_.OpenPort(index))
    host_.SetChannelOk(true);
  else
    messages_.ShowMessage("Failed to Com Port!", "Vistrel", MessageIcon::Exclamation);
  host_.RefreshState();
  if (host_.CheckModel())
    host_.ReadAllSettings();
}

void CCommunicationDialog::OnBaudRateChanged(int index) {
  channel_.OpenBaudRateIndex(index);
  if (host_.CheckModel())
    host_.ReadAllSettings();
}

void CCommunicationDialog::OnAuto() {
  // Every name the current mode lists is tried, so a camera on any listed port is found. A
  // port that fails is noted and the search goes on; the operator hears of it once, at the
  // end, and the channel open before the search is opened again.
  channel_.RememberChannel();
  const int count = channel_.GetPortCount();
  QProgressDialog progress("Searching the ports for the camera...", "Cancel", 0, count, this);
  progress.setWindowTitle("Auto");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  std::string tried;
  int found = -1;
  for (int index = 0; index < count && found < 0; ++index) {
    progress.setValue(index);
    const std::string name = channel_.GetPortName(index);
    progress.setLabelText(QString::fromStdString("Searching the ports for the camera: " + name));
    QCoreApplication::processEvents();
    if (progress.wasCanceled())
      break;
    const std::string why = channel_.TryPort(index);
    if (why.empty() && host_.CameraAnswers(kModelCheckMs))
      found = index;
    else
      tried += "\n" + name + ": " + (why.empty() ? std::string("no camera answered") : why);
  }
  const bool cancelled = progress.wasCanceled();
  progress.reset();
  if (found < 0) {
    RestoreAfterSearch(cancelled, tried);
    ReportSearch(cancelled ? "Auto: the search was cancelled."
                           : "Auto: no camera answered on any port.");
    return;
  }
  notifier_.SetOnline();
  host_.SetChannelOk(true);
  Quietly([&] { ui_->c1005->setCurrentIndex(found); });
  ShowDevice();
  host_.ReadAllSettings();
  const std::string device = channel_.GetPortDevice(found);
  const std::string model = host_.ModelName();
  ReportSearch("Auto: camera found on " + channel_.GetPortName(found) +
               (device.empty() ? std::string() : " (" + device + ")") + ", model " +
               (model.empty() ? std::string("unknown") : model) + ".");
}

void CCommunicationDialog::ReportSearch(const std::string& result) {
  AddMessage(result);
  host_.ShowSearchResult(result);
}

void CCommunicationDialog::RestoreAfterSearch(bool cancelled, const std::string& tried) {
  const bool reopened = channel_.RestoreChannel();
  Quietly([this] { ui_->c1005->setCurrentIndex(channel_.GetPortIndex()); });
  ShowDevice();
  if (!cancelled)
    messages_.ShowMessage(std::string(kNoAnswer) + "\n\nPorts tried:" + tried,
                          "Communication Error", MessageIcon::Exclamation);
  // A port just opened may lose the first line; the check is tried a second time.
  if (reopened && (host_.CameraAnswers(kProbeMs) || host_.CameraAnswers(kProbeMs)))
    notifier_.SetOnline();
  else
    notifier_.SetOffline();
}

void CCommunicationDialog::AddMessage(const std::string& text) {
  log_->AddTop(QString::fromStdString(text));
}

void CCommunicationDialog::OnWriteLog() {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(log_->Count()));
  for (int i = log_->Count() - 1; i >= 0; --i)  // oldest first
    lines.push_back(log_->Line(i).toStdString());
  if (SaveLinesWithDialog(messages_, folder_, "txt", "txt file (*.txt) | *.txt||", lines))
    AddMessage("Writing file has been done!");
}

void CCommunicationDialog::OnClearLog() {
  log_->Clear();
}

}  // namespace vistrel
