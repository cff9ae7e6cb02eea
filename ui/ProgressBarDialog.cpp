#include "ui/ProgressBarDialog.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QThread>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace vistrel {

CProgressBarDialog::CProgressBarDialog(QWidget* parent)
    : QDialog(parent),
      message_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton("Cancel", this)) {
  setWindowTitle("Progress");
  setModal(false);
  setWindowFlag(Qt::Window);
  bar_->setRange(0, 100);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, &CProgressBarDialog::reject);
  resize(360, 80);
}

void CProgressBarDialog::Begin(const std::string& message) {
  updates_ = 0;
  cancelled_ = false;
  cancel_->hide();
  cancel_->setEnabled(true);
  if (parentWidget() != nullptr)
    parentWidget()->setEnabled(false);
  // The window itself stays live (and drawn in its normal colours) while its owner is not.
  setEnabled(true);
  message_->setText(QString::fromStdString(message));
  bar_->setValue(0);
  show();
  raise();
  QCoreApplication::processEvents();
}

void CProgressBarDialog::Update(int percent) {
  if (!isVisible())
    return;
  ++updates_;
  bar_->setValue(std::clamp(percent, 0, 100));
  QCoreApplication::processEvents();
}

void CProgressBarDialog::End() {
  bar_->setValue(100);
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < closePauseMs_) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  hide();
  if (parentWidget() != nullptr) {
    parentWidget()->setEnabled(true);
    parentWidget()->activateWindow();
  }
}

void CProgressBarDialog::OfferCancel() {
  cancel_->show();
}

void CProgressBarDialog::reject() {
  // Closing the window is no way out of a pass; Escape and Cancel ask the pass to stop where
  // it can.
  if (!isVisible() || cancel_->isHidden())
    return;
  cancelled_ = true;
  cancel_->setEnabled(false);
  SetMessage("Stopping after the current setting...");
}

void CProgressBarDialog::SetMessage(const std::string& message) {
  message_->setText(QString::fromStdString(message));
}

QString CProgressBarDialog::Message() const {
  return message_->text();
}
int CProgressBarDialog::Percent() const {
  return bar_->value();
}

}  // namespace vistrel
