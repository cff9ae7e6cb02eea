#include "app/ToolWindows.h"

#include "app/MainMenu.h"
#include "ui/AdjustProgressDialog.h"
#include "ui/CommunicationDialog.h"
#include "ui/LogFiles.h"
#include "ui/ProgressBarDialog.h"
#include "ui/TerminalDialog.h"

namespace vistrel {

namespace {

LogFolderAccess LogFolder(StoredSettings& settings) {
  return {[&settings] { return settings.GetStoredText(kStoredCommandLogFilePath).value; },
          [&settings](const std::string& folder) {
            settings.SetStoredText(kStoredCommandLogFilePath, folder);
          }};
}

void ShowWindow(QWidget& window) {
  window.show();
  window.raise();
}

}  // namespace

ToolWindows::ToolWindows(AppServices& services, ICommunicationHost& host, QWidget* parent)
    : services_(services),
      terminal_(new CTerminalDialog(services.messages, services.notifier, services.locks,
                                    LogFolder(services.settings), parent)),
      communication_(new CCommunicationDialog(
          services.channel, host, services.messages, services.notifier, services.locks,
          LogFolder(services.settings), services.settings.PreviousShutdownWasNormal(), parent)),
      progress_(new CProgressBarDialog(parent)),
      adjustProgress_(new CAdjustProgressDialog(parent)) {
  terminal_->SetWriter(
      [this](const std::string& text) { return services_.engine.Channel().Write(text); });
  services_.traffic.Add(terminal_);
  services_.traffic.Add(communication_);
  services_.session.SetProgress(progress_);
  services_.session.SetAdjustWatch(adjustProgress_);
}

ToolWindows::~ToolWindows() {
  // The logs go with their windows.
  services_.traffic = TrafficFanOut();
  services_.session.SetProgress(nullptr);
  services_.session.SetAdjustWatch(nullptr);
}

void ToolWindows::StopAdjustment() {
  if (adjustProgress_->Running())
    adjustProgress_->reject();
}

bool ToolWindows::Run(int menuId) {
  switch (menuId) {
    case menu::kOpenCommunication:
      ShowWindow(*communication_);
      return true;
    case menu::kOpenTerminal:
      ShowWindow(*terminal_);
      return true;
    default:
      return false;
  }
}

}  // namespace vistrel
