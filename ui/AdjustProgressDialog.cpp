#include "ui/AdjustProgressDialog.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace vistrel {

namespace {

// How often the elapsed time is refreshed while waiting for the next poll.
constexpr int kTickMs = 250;

}  // namespace

CAdjustProgressDialog::CAdjustProgressDialog(QWidget* parent)
    : QDialog(parent),
      elapsed_(new QLabel(this)),
      status_(new QLabel(this)),
      cancel_(new QPushButton("Cancel", this)) {
  setWindowModality(Qt::ApplicationModal);
  setWindowFlag(Qt::WindowCloseButtonHint, true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(elapsed_);
  layout->addWidget(status_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  resize(320, 110);
  tick_.setInterval(kTickMs);
  connect(&tick_, &QTimer::timeout, this, [this] { ShowElapsed(); });
  wait_.setSingleShot(true);
  connect(&wait_, &QTimer::timeout, &loop_, &QEventLoop::quit);
  connect(cancel_, &QPushButton::clicked, this, &CAdjustProgressDialog::reject);
}

void CAdjustProgressDialog::Started(const std::string& title) {
  cancelled_ = false;
  running_ = true;
  setWindowTitle(QString::fromStdString(title));
  status_->setText("Waiting for the camera...");
  clock_.start();
  ShowElapsed();
  show();
  raise();
  tick_.start();
  QCoreApplication::processEvents();
}

bool CAdjustProgressDialog::Wait(int ms) {
  if (!cancelled_) {
    wait_.start(ms);
    loop_.exec();
    wait_.stop();
  }
  return !cancelled_;
}

void CAdjustProgressDialog::Polled(int elapsedMs, std::optional<int32_t> status) {
  (void)elapsedMs;
  status_->setText(status ? QString("Status: %1 (%2)")
                                .arg(*status)
                                .arg(QString::fromStdString(AutoResultText(*status)))
                          : QString("Status: no answer"));
  ShowElapsed();
}

void CAdjustProgressDialog::Finished() {
  running_ = false;
  tick_.stop();
  hide();
}

void CAdjustProgressDialog::reject() {
  cancelled_ = true;
  loop_.quit();
}

QString CAdjustProgressDialog::ElapsedText() const {
  return elapsed_->text();
}

QString CAdjustProgressDialog::StatusText() const {
  return status_->text();
}

void CAdjustProgressDialog::ShowElapsed() {
  elapsed_->setText(QString("Elapsed: %1 s").arg(clock_.elapsed() / 1000));
}

}  // namespace vistrel
