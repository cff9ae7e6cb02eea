#include "ui/ProgressBarDialog.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QThread>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>

namespace vistrel {

CProgressBarDialog::CProgressBarDialog(QWidget* parent)
    : QDialog(parent), message_(new QLabel(this)), bar_(new QProgressBar(this)) {
  setWindowTitle("Progress");
  setModal(false);
  setWindowFlag(Qt::Window);
  bar_->setRange(0, 100);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(bar_);
  resize(360, 80);
}

void CProgressBarDialog::Begin(const std::string& message) {
  updates_ = 0;
  if (parentWidget() != nullptr)
    parentWidget()->setEnabled(false);
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
