#pragma once

#include <QtWidgets/QDialog>
#include <array>
#include <functional>
#include <memory>

#include "app/AppServices.h"
#include "app/CameraFileActions.h"
#include "app/CommunicationHost.h"
#include "app/ControlDispatch.h"
#include "app/ControlRegistry.h"
#include "app/IdentityWindows.h"
#include "app/LutEditors.h"
#include "app/MainKeys.h"
#include "app/MainStatusBar.h"
#include "app/MenuCommands.h"
#include "app/MenuPart.h"
#include "app/PortWatch.h"
#include "app/SequencerEntryMarks.h"
#include "app/ToolWindows.h"
#include "core/TimeLimits.h"

class QTimer;

namespace Ui {
class VistrelDlg;
}

namespace vistrel {

class CTabSheetDialog;
class DialogPageHooks;

// The main window: the tab pages with every parameter control, the start-up, the control
// mode and the way out. Everything else is a part of its own that the window owns and hands
// its work to: the menu, the status bar, what a control's change does, the sequencer entry's
// marks, the keyboard, the LUT editors, the tool windows, the identity windows, the flash-area
// and setting-file actions, the port watch and what the camera operations ask of the pages.
// A window a menu command opens belongs to one of those parts (see the README, "The desktop
// program's main window"). The program lives as long as it runs.
class CVistrelDlg final : public QDialog,
                          public IMenuPart,
                          public IReadDisplay,
                          public ILinkDisplay {
  Q_OBJECT

 public:
  static constexpr const char* kExitQuestion = "Are you sure to terminate the Camera Vistrel ?";
  static constexpr int kIdleMs = 25;
  // How often the COM port is checked for a device that went away or came back.
  static constexpr int kWatchMs = 250;
  // While offline with the port open: how often the program asks whether the camera answers
  // again, and how long it waits for that answer.
  static constexpr int kProbeEveryMs = 3000;
  static constexpr int kProbeMs = limits::kProbeMs;
  static constexpr int kSequencerEntries = 128;

  explicit CVistrelDlg(AppServices& services, QWidget* parent = nullptr);
  ~CVistrelDlg() override;

  // The initialisation: channel, model check, reload, tabs. Run once before the dialog shows.
  void Initialise();
  // The window's own commands: Exit and Reload.
  bool Run(int menuId) override;

  // Factory control mode: 1 factory, 0 user.
  int ControlMode() const override { return controlMode_; }
  void ToggleControlMode();
  QStringList TabTitles() const;
  CTabSheetDialog* Page(int index) const { return pages_[static_cast<size_t>(index)]; }

  bool ChannelOk() const { return channelOk_; }
  void SetChannelOk(bool ok) override { channelOk_ = ok; }
  void SetSkipExitConfirmation(bool skip) { skipExitConfirmation_ = skip; }
  // Ends the program without a question (the system asks it to end): a one-shot adjustment
  // in progress is cancelled, which sets it back to off, a held lens button is released,
  // then the dialog closes once the run has unwound.
  void ShutDown();
  // Stops what moves on the camera: the one-shot run in progress, the lens.
  void StopMovingParts();

  // The reload of the Settings menu, with the refresh of the pages after it.
  void ReloadCamera() override;
  void ShowStatusNote(const QString& note) override { status_->ShowNote(note); }
  void ReadAndShow(const std::function<void()>& read) override;
  void ShowRead() override;

  // The parts of the window.
  ControlRegistry& Registry() { return *registry_; }
  MenuCommands& Menu() { return *menu_; }
  MainStatusBar& Status() { return *status_; }
  ToolWindows& Tools() { return *tools_; }
  LutEditors& Luts() { return *luts_; }
  SequencerEntryMarks& Entry() { return *entry_; }
  CameraFileActions& Files() { return *files_; }
  IdentityWindows& Identity() { return *identity_; }
  PortWatch& Watch() { return *portWatch_; }

 public slots:
  void accept() override;
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildTabs();
  void OnTabChanged(int index);
  // Shows what a read got: the lists, the values, the ranges and the states that follow.
  void AfterCameraRead();

  AppServices& services_;
  std::unique_ptr<Ui::VistrelDlg> ui_;
  ControlRegistry* registry_;
  std::array<CTabSheetDialog*, 8> pages_{};
  std::unique_ptr<DialogPageHooks> hooks_;
  std::unique_ptr<MainStatusBar> status_;
  std::unique_ptr<SequencerEntryMarks> entry_;
  std::unique_ptr<LutEditors> luts_;
  std::unique_ptr<CameraFileActions> files_;
  PortWatch* portWatch_;
  IdentityWindows* identity_;
  std::unique_ptr<CommunicationHost> host_;
  std::unique_ptr<ToolWindows> tools_;
  std::unique_ptr<ControlDispatch> dispatch_;
  std::unique_ptr<MainKeys> keys_;
  MenuCommands* menu_;
  QTimer* idleTimer_;
  int controlMode_ = 0;
  bool channelOk_ = false;
  bool skipExitConfirmation_ = false;
};

}  // namespace vistrel
