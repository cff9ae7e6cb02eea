#pragma once

#include <QtWidgets/QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "core/Interfaces.h"
#include "core/TimeLimits.h"
#include "ui/ChannelSetup.h"
#include "ui/LogFiles.h"
#include "ui/OnlineStatusNotifier.h"

namespace Ui {
class CommunicationDialog;
}

namespace vistrel {

class TrafficLogModel;
class WindowLockList;

// The communication window: line status, category, port and (factory mode) baud rate, the
// automatic port search, the setting-file buttons, the user sets and the command log.
class CCommunicationDialog final : public QDialog,
                                   public COnlineStatusUpdater,
                                   public ITrafficSink {
  Q_OBJECT

 public:
  static constexpr int kMaxMessages = 4096;
  static constexpr const char* kNetworkPortEntry = "Network port...";
  // The search runs the model check on each port; the way back to the channel of before
  // only probes.
  static constexpr int kModelCheckMs = limits::kShortReplyMs;
  static constexpr int kProbeMs = limits::kProbeMs;
  static constexpr const char* kNoAnswer =
      "No answer from Camera! (Timeout error)\nCheck power on Camera or serial cable "
      "connection.";

  // With `previousShutdownNormal` false the COM port becomes the mode of this run.
  CCommunicationDialog(IChannelSetup& channel, ICommunicationHost& host,
                       IMessagePresenter& messages, OnlineStatusNotifier& notifier,
                       WindowLockList& locks, LogFolderAccess folder, bool previousShutdownNormal,
                       QWidget* parent = nullptr);
  ~CCommunicationDialog() override;

  // The initialisation of the window's controls; run once before the stored channel opens.
  void Initialise();
  void UpdateControlMode();
  void FillPortList();

  void OnlineStatusChanged(int online) override;
  void AddMessage(const std::string& text);
  void AppendLine(const std::string& line) override { AddMessage(line); }

  void OnCategoryChanged(int index);
  void OnPortChanged(int index);
  // Asks for a network port's address (the one chosen now offered); nullopt when cancelled.
  // Tests replace it.
  std::function<std::optional<std::string>(const std::string& current)> askNetworkPort;
  void OnBaudRateChanged(int index);
  void OnAuto();
  void OnUserSetChanged();
  void OnWriteLog();
  void OnClearLog();

  TrafficLogModel& Log() { return *log_; }
  Ui::CommunicationDialog& Controls() { return *ui_; }

 private:
  void ShowDevice();
  // Marks the entries of the port list whose device is there, with an icon and a tooltip.
  void MarkPresentPorts();
  // What the search found, in the command log and the status bar.
  void ReportSearch(const std::string& result);
  // Whether `index` is the list's last entry, the one that asks for a network port.
  bool IsNetworkPortEntry(int index) const;
  void ChooseNetworkPort();
  // After a search that found no camera: the channel of before is opened again, and one
  // message lists the ports tried and why each failed (none after a cancel).
  void RestoreAfterSearch(bool cancelled, const std::string& tried);
  template <typename F>
  void Quietly(F&& change);

  std::unique_ptr<Ui::CommunicationDialog> ui_;
  IChannelSetup& channel_;
  ICommunicationHost& host_;
  IMessagePresenter& messages_;
  OnlineStatusNotifier& notifier_;
  LogFolderAccess folder_;
  TrafficLogModel* log_;
  bool filling_ = false;
};

}  // namespace vistrel
