#include "ui/CameraIdDialog.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "camera/CameraData.h"
#include "camera/CameraId.h"
#include "ui/IdentityWidgets.h"

namespace vistrel {
namespace {

constexpr int kFactoryControlMode = 1;
constexpr int kFieldWidth = 24;

}  // namespace

CCameraIdDialog::CCameraIdDialog(CameraSession& session, OnlineStatusNotifier& notifier,
                                 WindowLockList& locks, int controlMode, QWidget* parent)
    : CIdentityDialogBase(session, notifier, locks, parent) {
  setWindowTitle(QStringLiteral("Camera Id"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("Camera Id"), this);
  auto* row = new QHBoxLayout(group);
  for (size_t i = 0; i < ctl::CameraIdFields.size(); ++i) {
    fields_[i] = MakeField(group, ctl::CameraIdFields[i], 1);
    fields_[i]->setFixedWidth(kFieldWidth);
    row->addWidget(fields_[i]);
  }
  layout->addWidget(group);
  QPushButton* save = MakeButton(this, ctl::CameraIdSave, "Save");
  layout->addWidget(save);
  QLabel* strip = MakeStatusStrip(this, ctl::CameraIdStatus);
  layout->addWidget(strip);
  connect(save, &QPushButton::clicked, this, [this] { OnSave(); });

  Register(strip);
  if (const std::optional<std::string> id = ReadCameraId(session_)) {
    for (size_t i = 0; i < fields_.size() && i < id->size(); ++i)
      fields_[i]->setText(ToQt(id->substr(i, 1)));
  }
  save->setVisible(controlMode == kFactoryControlMode);
}

void CCameraIdDialog::OnSave() {
  std::vector<std::string> texts;
  for (QLineEdit* field : fields_)
    texts.push_back(FromQt(field->text()));
  WriteCameraId(session_, JoinFirstCharacters(texts));
}

}  // namespace vistrel
