#include "ui/UserIdDialog.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "camera/CameraData.h"
#include "ui/IdentityWidgets.h"

namespace vistrel {

CUserIdDialog::CUserIdDialog(CameraSession& session, OnlineStatusNotifier& notifier,
                             WindowLockList& locks, QWidget* parent)
    : CIdentityDialogBase(session, notifier, locks, parent) {
  setWindowTitle(QStringLiteral("User Id"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("User ID"), this), 0, 0);
  field_ = MakeField(this, ctl::UserIdField);
  layout->addWidget(field_, 0, 1);
  QPushButton* save = MakeButton(this, ctl::UserIdSave, "Save");
  layout->addWidget(save, 0, 2);
  QLabel* strip = MakeStatusStrip(this, ctl::UserIdStatus);
  layout->addWidget(strip, 1, 0, 1, 3);
  connect(save, &QPushButton::clicked, this, [this] { OnSave(); });

  Register(strip);
  const std::optional<std::string> userId = ReadUserId(session_).value;
  field_->setText(ToQt(userId.value_or(CameraData{}.userId)));
}

void CUserIdDialog::OnSave() {
  WriteUserId(session_, FromQt(field_->text()));
}

}  // namespace vistrel
