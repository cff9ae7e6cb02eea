#pragma once

#include <QtWidgets/QDialog>

#include "core/Interfaces.h"

class QLabel;
class QProgressBar;

namespace vistrel {

// The one modeless progress window: a message line and a 0..100 bar. While it shows, its
// owner is disabled; it closes at 100 after a short pause so the operator sees the end.
class CProgressBarDialog final : public QDialog, public IProgress {
  Q_OBJECT

 public:
  explicit CProgressBarDialog(QWidget* parent = nullptr);

  void Begin(const std::string& message) override;
  void Update(int percent) override;
  void End() override;
  void SetMessage(const std::string& message) override;

  QString Message() const;
  int Percent() const;
  // How many times the bar was moved since the last Begin.
  int UpdateCount() const { return updates_; }
  // The pause at 100 before the window closes (1000 ms; tests shorten it).
  void SetClosePause(int ms) { closePauseMs_ = ms; }

 private:
  QLabel* message_;
  QProgressBar* bar_;
  int updates_ = 0;
  int closePauseMs_ = 1000;
};

}  // namespace vistrel
