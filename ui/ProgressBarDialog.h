#pragma once

#include <QtWidgets/QDialog>

#include "core/Interfaces.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vistrel {

// The one modeless progress window: a message line and a 0..100 bar. While it shows, its
// owner is disabled; it closes at 100 after a short pause so the operator sees the end. A pass
// that can stop early offers Cancel (Escape does the same).
class CProgressBarDialog final : public QDialog, public IProgress {
  Q_OBJECT

 public:
  explicit CProgressBarDialog(QWidget* parent = nullptr);

  void Begin(const std::string& message) override;
  void Update(int percent) override;
  void End() override;
  void SetMessage(const std::string& message) override;
  void OfferCancel() override;
  bool Cancelled() const override { return cancelled_; }
  QPushButton* CancelButton() const { return cancel_; }

  QString Message() const;
  int Percent() const;
  // How many times the bar was moved since the last Begin.
  int UpdateCount() const { return updates_; }
  // The pause at 100 before the window closes (1000 ms; tests shorten it).
  void SetClosePause(int ms) { closePauseMs_ = ms; }

 public slots:
  void reject() override;

 private:
  QLabel* message_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelled_ = false;
  int updates_ = 0;
  int closePauseMs_ = 1000;
};

}  // namespace vistrel
