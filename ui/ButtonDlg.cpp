#include "ui/ButtonDlg.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QLabel>

#include "camera/MotorLens.h"
#include "core/ControlIds.h"

namespace vistrel {
namespace {

constexpr int kWindowWidth = 170;
constexpr int kWindowHeight = 175;
const QRect kCloseRect(50, 108, 70, 26);
const QRect kStatusRect(20, 142, 130, 22);

QRect RectOf(const LensButton& button) {
  const auto& [left, top, right, bottom] = button.rect;
  return QRect(left, top, right - left, bottom - top);
}

bool IsSpace(const QKeyEvent* event) {
  return event->key() == Qt::Key_Space && !event->isAutoRepeat();
}

}  // namespace

CMyButton::CMyButton(const QString& text, int index, CButtonDlg* owner)
    : QPushButton(text, owner), index_(index), owner_(owner) {}

void CMyButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    owner_->Press(index_);
  QPushButton::mousePressEvent(event);
}

void CMyButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    owner_->Release();
  QPushButton::mouseReleaseEvent(event);
}

void CMyButton::keyPressEvent(QKeyEvent* event) {
  if (IsSpace(event))
    owner_->Press(index_);
  QPushButton::keyPressEvent(event);
}

void CMyButton::keyReleaseEvent(QKeyEvent* event) {
  if (IsSpace(event))
    owner_->Release();
  QPushButton::keyReleaseEvent(event);
}

void CMyButton::focusOutEvent(QFocusEvent* event) {
  owner_->Release();
  QPushButton::focusOutEvent(event);
}

CButtonDlg::CButtonDlg(Command& engine, QWidget* parent) : QDialog(parent), engine_(engine) {
  setWindowTitle(QStringLiteral("Motor Lens"));
  setFixedSize(kWindowWidth, kWindowHeight);
  for (size_t i = 0; i < kLensButtons.size(); ++i) {
    const LensButton& lens = kLensButtons[i];
    auto* button = new CMyButton(QString::fromLatin1(lens.text), static_cast<int>(i), this);
    button->setObjectName(QStringLiteral("c%1").arg(lens.ctrlId));
    button->setAutoDefault(false);
    button->setGeometry(RectOf(lens));
    buttons_[i] = button;
  }
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setGeometry(kCloseRect);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("c%1").arg(ctl::LensStatus));
  status_->setAlignment(Qt::AlignCenter);
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status_->setGeometry(kStatusRect);
}

CButtonDlg::~CButtonDlg() {
  Release();
}

void CButtonDlg::Press(int index) {
  if (index < 0 || index >= static_cast<int>(kLensButtons.size()))
    return;
  Release();
  const LensButton& lens = kLensButtons[static_cast<size_t>(index)];
  // Held before the exchange: a message box the engine shows takes the focus, and the stop
  // that brings must reach this function.
  held_ = index;
  StartLens(engine_, lens);
  if (held_ == index)
    status_->setText(QString::fromLatin1(lens.status));
}

void CButtonDlg::Release() {
  if (held_ == kNone)
    return;
  const LensButton& lens = kLensButtons[static_cast<size_t>(held_)];
  held_ = kNone;
  StopLens(engine_, lens);
  status_->clear();
}

QString CButtonDlg::StatusText() const {
  return status_->text();
}

void CButtonDlg::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow())
    Release();
  QDialog::changeEvent(event);
}

void CButtonDlg::hideEvent(QHideEvent* event) {
  Release();
  QDialog::hideEvent(event);
}

}  // namespace vistrel
