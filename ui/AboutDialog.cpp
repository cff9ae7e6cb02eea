#include "ui/AboutDialog.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

#include "camera/CameraData.h"
#include "ui/IdentityWidgets.h"

namespace vistrel {
namespace {

constexpr const char* kProgramTitle = "QX-70500-VLNK Vistrel";
constexpr const char* kProgramVersion = "0.3.7";
constexpr const char* kDeviceVersionForm =
    "The device version is four numbers, one in each box (for example 2.0.1.45). Nothing "
    "was written.";
constexpr int kFactoryControlMode = 1;
constexpr int kPartWidth = 32;
constexpr int kIconSize = 32;

QLabel* MakeLabel(QWidget* parent, int ctrlId, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QStringLiteral("c%1").arg(ctrlId));
  return label;
}

QLineEdit* ReadOnlyField(QWidget* parent, int ctrlId) {
  QLineEdit* field = MakeField(parent, ctrlId);
  field->setReadOnly(true);
  return field;
}

bool OpenWithDesktop(const std::filesystem::path& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
}

}  // namespace

CAboutDialog::CAboutDialog(CameraSession& session, OnlineStatusNotifier& notifier,
                           WindowLockList& locks, int controlMode, QWidget* parent)
    : CIdentityDialogBase(session, notifier, locks, parent), opener_(OpenWithDesktop) {
  const bool factory = controlMode == kFactoryControlMode;
  setWindowTitle(QStringLiteral("About This Control"));
  auto* layout = new QVBoxLayout(this);
  auto* header = new QGridLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap(QStringLiteral(":/vistrel/icon"))
                      .scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  header->addWidget(icon, 0, 0, 2, 1);
  header->addWidget(MakeLabel(this, ctl::AboutTitle, ""), 0, 1, 1, 2);
  header->addWidget(new QLabel(QStringLiteral("Version:"), this), 1, 1);
  header->addWidget(MakeLabel(this, ctl::AboutVersion, ""), 1, 2);
  layout->addLayout(header);
  layout->addWidget(BuildCameraGroup(factory));
  layout->addWidget(BuildHelpGroup());
  QLabel* strip = MakeStatusStrip(this, ctl::AboutStatus);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(strip);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  Register(strip);
  SetUserIdProtected(true);
  findChild<QLabel*>(QStringLiteral("c%1").arg(ctl::AboutTitle))->setText(kProgramTitle);
  findChild<QLabel*>(QStringLiteral("c%1").arg(ctl::AboutVersion))->setText(kProgramVersion);
  FillHelpFiles(std::filesystem::current_path(), InstalledDocFolder());
  ShowCameraData(CameraData{});
  ShowCameraData(ReadCameraData(session_));
  for (QLineEdit* part : deviceVersion_)
    part->setEnabled(factory);
}

QWidget* CAboutDialog::BuildCameraGroup(bool factory) {
  auto* group = new QGroupBox(QStringLiteral("Camera Data"), this);
  auto* grid = new QGridLayout(group);
  int row = 0;
  auto addRow = [&](const char* caption, QLineEdit* field) {
    grid->addWidget(new QLabel(QString::fromLatin1(caption), group), row, 0);
    grid->addWidget(field, row++, 1, 1, 2);
    return field;
  };
  modelName_ = addRow("Model Name", ReadOnlyField(group, ctl::AboutModelName));
  cameraId_ = addRow("Camera ID", ReadOnlyField(group, ctl::AboutCameraId));
  firmwareVersion_ = addRow("Firmware Version", ReadOnlyField(group, ctl::AboutFirmwareVersion));
  fpgaVersion_ = addRow("FPGA Version", ReadOnlyField(group, ctl::AboutFpgaVersion));
  xmlVersion_ = addRow("XML Version", ReadOnlyField(group, ctl::AboutXmlVersion));

  auto* parts = new QHBoxLayout;
  for (size_t i = 0; i < deviceVersion_.size(); ++i) {
    if (i > 0)
      parts->addWidget(new QLabel(QStringLiteral("."), group));
    deviceVersion_[i] = MakeField(group, ctl::AboutDeviceVersion[i]);
    deviceVersion_[i]->setFixedWidth(kPartWidth);
    parts->addWidget(deviceVersion_[i]);
  }
  QPushButton* saveDeviceVersion = MakeButton(group, ctl::AboutSaveDeviceVersion, "Save Dev Ver");
  parts->addWidget(saveDeviceVersion);
  // Device version writing is a factory function.
  saveDeviceVersion->setVisible(factory);
  connect(saveDeviceVersion, &QPushButton::clicked, this, [this] { OnSaveDeviceVersion(); });
  grid->addWidget(new QLabel(QStringLiteral("Device Version"), group), row, 0);
  grid->addLayout(parts, row++, 1, 1, 2);

  userId_ = addRow("User ID", MakeField(group, ctl::AboutUserId));
  saveUserId_ = MakeButton(group, ctl::AboutSaveUserId, "Save User ID");
  protectUserId_ = new QRadioButton(QStringLiteral("Protect User ID"), group);
  protectUserId_->setObjectName(QStringLiteral("c%1").arg(ctl::AboutProtectUserId));
  editUserId_ = new QRadioButton(QStringLiteral("Enable To Edit User ID"), group);
  editUserId_->setObjectName(QStringLiteral("c%1").arg(ctl::AboutEditUserId));
  grid->addWidget(saveUserId_, row, 1);
  grid->addWidget(protectUserId_, row + 1, 1);
  grid->addWidget(editUserId_, row + 1, 2);
  connect(saveUserId_, &QPushButton::clicked, this, [this] { OnSaveUserId(); });
  connect(protectUserId_, &QRadioButton::clicked, this, [this] { SetUserIdProtected(true); });
  connect(editUserId_, &QRadioButton::clicked, this, [this] { SetUserIdProtected(false); });
  return group;
}

QWidget* CAboutDialog::BuildHelpGroup() {
  auto* group = new QGroupBox(QStringLiteral("Help"), this);
  auto* row = new QHBoxLayout(group);
  row->addWidget(new QLabel(QStringLiteral("Help File"), group));
  helpFile_ = new QComboBox(group);
  helpFile_->setObjectName(QStringLiteral("c%1").arg(ctl::AboutHelpFile));
  row->addWidget(helpFile_, 1);
  QPushButton* view = MakeButton(group, ctl::AboutViewHelpFile, "View Help File");
  row->addWidget(view);
  connect(view, &QPushButton::clicked, this, [this] { OnViewHelpFile(); });
  return group;
}

void CAboutDialog::FillHelpFiles(const std::filesystem::path& currentFolder,
                                 const std::filesystem::path& docFolder) {
  helpFiles_ = FindHelpFiles(currentFolder, docFolder);
  helpFile_->clear();
  for (const HelpFile& file : helpFiles_)
    helpFile_->addItem(QString::fromStdString(file.name));
  helpFile_->setCurrentIndex(helpFiles_.empty() ? -1 : 0);
}

void CAboutDialog::ShowCameraData(const CameraData& data) {
  modelName_->setText(ToQt(data.modelName));
  cameraId_->setText(ToQt(data.cameraId));
  firmwareVersion_->setText(ToQt(data.firmwareVersion));
  fpgaVersion_->setText(ToQt(data.fpgaVersion));
  xmlVersion_->setText(ToQt(data.xmlVersion));
  for (size_t i = 0; i < deviceVersion_.size(); ++i)
    deviceVersion_[i]->setText(ToQt(data.deviceVersion[i]));
  userId_->setText(ToQt(data.userId));
}

void CAboutDialog::SetUserIdProtected(bool protect) {
  userId_->setEnabled(!protect);
  saveUserId_->setEnabled(!protect);
  protectUserId_->setChecked(protect);
  editUserId_->setChecked(!protect);
}

void CAboutDialog::OnSaveUserId() {
  WriteUserId(session_, FromQt(userId_->text()));
}

void CAboutDialog::OnSaveDeviceVersion() {
  // Each part as its field shows it: a part of several characters ("45") is written whole.
  std::string text;
  for (size_t i = 0; i < deviceVersion_.size(); ++i) {
    const std::string part = FromQt(deviceVersion_[i]->text());
    if (part.empty() || !std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; })) {
      session_.Messages().ShowMessage(kDeviceVersionForm, "Device Version",
                                      MessageIcon::Exclamation);
      return;
    }
    text += (i > 0 ? "." : "") + part;
  }
  WriteDeviceVersion(session_, text);
}

void CAboutDialog::OnViewHelpFile() {
  const int index = helpFile_->currentIndex();
  if (index < 0 || index >= static_cast<int>(helpFiles_.size())) {
    session_.Messages().ShowMessage("No file was selected !!", "", MessageIcon::Stop);
    return;
  }
  const HelpFile& file = helpFiles_[static_cast<size_t>(index)];
  if (!opener_(file.path))
    session_.Messages().ShowMessage("Couldn't open \"" + file.name + "\".", "", MessageIcon::Stop);
}

}  // namespace vistrel
