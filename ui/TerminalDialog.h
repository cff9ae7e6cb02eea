#pragma once

#include <QtWidgets/QDialog>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Interfaces.h"
#include "ui/LogFiles.h"
#include "ui/OnlineStatusNotifier.h"

namespace Ui {
class TerminalDialog;
}

namespace vistrel {

class TrafficLogModel;
class WindowLockList;

// The RS-232C terminal: a time-stamped log of every line sent and received (newest first),
// a command line to send, sending a text file line by line, saving and clearing the log.
// The command line is emptied after Send; Up and Down in it go through the lines sent.
class CTerminalDialog final : public QDialog, public COnlineStatusUpdater, public ITrafficSink {
  Q_OBJECT

 public:
  static constexpr int kMaxEntries = 32786;
  using Writer = std::function<bool(const std::string&)>;
  using Clock = std::function<std::chrono::system_clock::time_point()>;

  CTerminalDialog(IMessagePresenter& messages, OnlineStatusNotifier& notifier,
                  WindowLockList& locks, LogFolderAccess folder, QWidget* parent = nullptr);
  ~CTerminalDialog() override;

  // Writes a line to the camera (the channel's write, which logs it as "Tx: ").
  void SetWriter(Writer writer) { writer_ = std::move(writer); }
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  void AddLine(const std::string& text);
  void AddFormattedLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void AppendLine(const std::string& line) override { AddLine(line); }

  // "%02d:%02d:%03d  " of the UTC minute, second and millisecond.
  static std::string Stamp(std::chrono::system_clock::time_point when);

  void OnSend();
  void OnRead();
  void OnSave();
  void OnClear();
  void SendFile(const std::string& path);

  TrafficLogModel& Log() { return *log_; }
  QString CommandLine() const;
  void SetCommandLine(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceControls();
  void Send(const std::string& text);
  // Shows the line `step` places older (-1) or newer (+1) in the history.
  void Recall(int step);

  std::unique_ptr<Ui::TerminalDialog> ui_;
  IMessagePresenter& messages_;
  OnlineStatusNotifier& notifier_;
  LogFolderAccess folder_;
  TrafficLogModel* log_;
  Writer writer_;
  Clock clock_ = [] { return std::chrono::system_clock::now(); };
  std::string field_;                 // the command line as last taken from the box
  std::vector<std::string> history_;  // the lines sent from the command line, oldest first
  size_t recalled_ = 0;               // the history position shown; history_.size(): none
};

}  // namespace vistrel
