#include "ui/CameraIdDialog.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

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
    fields_[i]->installEventFilter(this);
    row->addWidget(fields_[i]);
  }
  layout->addWidget(group);
  QPushButton* save = MakeButton(this, ctl::CameraIdSave, "Save");
  layout->addWidget(save);
  QLabel* strip = MakeStatusStrip(this, ctl::CameraIdStatus);
  layout->addWidget(strip);
  connect(save, &QPushButton::clicked, this, [this] { OnSave(); });

  Register(strip);
  if (const std::optional<std::string> id = ReadCameraId(session_).value) {
    for (size_t i = 0; i < fields_.size() && i < id->size(); ++i)
      fields_[i]->setText(ToQt(id->substr(i, 1)));
  }
  save->setVisible(controlMode == kFactoryControlMode);
}

bool CCameraIdDialog::eventFilter(QObject* watched, QEvent* event) {
  const auto field = std::ranges::find(fields_, watched);
  if (field == fields_.end() || event->type() != QEvent::KeyPress)
    return CIdentityDialogBase::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const size_t index = static_cast<size_t>(field - fields_.begin());
  if (key->matches(QKeySequence::Paste)) {
    Fill(index, QGuiApplication::clipboard()->text().trimmed());
    return true;
  }
  const QString typed = key->text();
  if (typed.size() != 1 || !typed[0].isPrint())
    return false;
  Fill(index, typed);
  return true;
}

void CCameraIdDialog::Fill(size_t first, const QString& text) {
  size_t index = first;
  for (qsizetype i = 0; i < text.size() && index < fields_.size(); ++i, ++index)
    fields_[index]->setText(text.mid(i, 1));
  fields_[std::min(index, fields_.size() - 1)]->setFocus();
}

void CCameraIdDialog::OnSave() {
  std::vector<std::string> texts;
  for (QLineEdit* field : fields_)
    texts.push_back(FromQt(field->text()));
  WriteCameraId(session_, JoinFirstCharacters(texts));
}

}  // namespace vistrel
