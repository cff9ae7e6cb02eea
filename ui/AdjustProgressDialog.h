#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtWidgets/QDialog>

#include "camera/AutoAdjust.h"

class QLabel;
class QPushButton;

namespace vistrel {

// The window shown while the camera runs a one-shot adjustment: the elapsed time, the last
// status the camera reported and a Cancel button. Between two polls it waits in an event
// loop (no busy waiting), refreshing the elapsed time a few times a second; the rest of the
// program is locked while the run goes on.
class CAdjustProgressDialog final : public QDialog, public IAdjustWatch {
  Q_OBJECT

 public:
  explicit CAdjustProgressDialog(QWidget* parent = nullptr);

  void Started(const std::string& title) override;
  bool Wait(int ms) override;
  void Polled(int elapsedMs, std::optional<int32_t> status) override;
  void Finished() override;

  QString ElapsedText() const;
  QString StatusText() const;
  QPushButton* CancelButton() const { return cancel_; }
  bool Cancelled() const { return cancelled_; }
  // Whether a run is being followed (between Started and Finished).
  bool Running() const { return running_; }

 public slots:
  // Ends the run: the wait returns at once and the run stops with the mode's off setting.
  void reject() override;

 private:
  void ShowElapsed();

  QLabel* elapsed_;
  QLabel* status_;
  QPushButton* cancel_;
  QEventLoop loop_;
  QTimer tick_;
  QTimer wait_;  // ends one wait
  QElapsedTimer clock_;
  bool cancelled_ = false;
  bool running_ = false;
};

}  // namespace vistrel
