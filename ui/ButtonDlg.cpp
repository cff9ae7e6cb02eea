#include "ui/ButtonDlg.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>

#include "camera/MotorLens.h"
#include "core/ControlIds.h"

namespace vistrel {
namespace {

// The buttons sit two to a row (open/close, wide/tele, near/far) as their places say; the
// layout gives each the room its text needs.
constexpr int kColumns = 2;
constexpr int kButtonRowHeight = 30;
constexpr int kButtonColumnWidth = 70;

int RowOf(const LensButton& button) {
  return button.rect[1] / kButtonRowHeight;
}
int ColumnOf(const LensButton& button) {
  return button.rect[0] / kButtonColumnWidth;
}

bool IsSpace(const QKeyEvent* event) {
  return event->key() == Qt::Key_Space && !event->isAutoRepeat();
}

}  // namespace

CMyButton::CMyButton(const QString& text, int index, CButtonDlg* owner)
    : QPushButton(text, owner), index_(index), owner_(owner) {}

void CMyButton::mousePressEvent(QMouseEvent* event) {
  if (owner_ != nullptr && event->button() == Qt::LeftButton)
    owner_->Press(index_);
  QPushButton::mousePressEvent(event);
}

void CMyButton::mouseReleaseEvent(QMouseEvent* event) {
  if (owner_ != nullptr && event->button() == Qt::LeftButton)
    owner_->Release();
  QPushButton::mouseReleaseEvent(event);
}

void CMyButton::keyPressEvent(QKeyEvent* event) {
  if (owner_ != nullptr && IsSpace(event))
    owner_->Press(index_);
  QPushButton::keyPressEvent(event);
}

void CMyButton::keyReleaseEvent(QKeyEvent* event) {
  if (owner_ != nullptr && IsSpace(event))
    owner_->Release();
  QPushButton::keyReleaseEvent(event);
}

void CMyButton::focusOutEvent(QFocusEvent* event) {
  if (owner_ != nullptr)
    owner_->Release();
  QPushButton::focusOutEvent(event);
}

CButtonDlg::CButtonDlg(Command& engine, QWidget* parent) : QDialog(parent), engine_(engine) {
  setWindowTitle(QStringLiteral("Motor Lens"));
  auto* grid = new QGridLayout(this);
  for (size_t i = 0; i < kLensButtons.size(); ++i) {
    const LensButton& lens = kLensButtons[i];
    auto* button = new CMyButton(QString::fromLatin1(lens.text), static_cast<int>(i), this);
    button->setObjectName(QStringLiteral("c%1").arg(lens.ctrlId));
    button->setAutoDefault(false);
    grid->addWidget(button, RowOf(lens), ColumnOf(lens));
    buttons_[i] = button;
  }
  const int next = grid->rowCount();
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  grid->addWidget(close, next, 0, 1, kColumns, Qt::AlignHCenter);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("c%1").arg(ctl::LensStatus));
  status_->setAlignment(Qt::AlignCenter);
  status_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  grid->addWidget(status_, next + 1, 0, 1, kColumns);
  grid->setSizeConstraint(QLayout::SetMinimumSize);
  // Wide enough for the title as well as for the buttons.
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2);
}

CButtonDlg::~CButtonDlg() {
  Release();
  for (CMyButton* button : buttons_)
    button->ForgetOwner();
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
