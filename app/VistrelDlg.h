#pragma once

#include <QtWidgets/QDialog>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/AccessCode.h"
#include "app/AppServices.h"
#include "app/CameraFileActions.h"
#include "app/ControlRegistry.h"
#include "app/PortWatch.h"
#include "core/TimeLimits.h"
#include "params/TableBoundPath.h"
#include "ui/ChannelSetup.h"
#include "ui/OnlineStatusNotifier.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;

namespace Ui {
class VistrelDlg;
}

namespace vistrel {

class CButtonDlg;
class CAdjustProgressDialog;
class CCommunicationDialog;
class CLUTDlg;
class CProgressBarDialog;
class CTabSheetDialog;
class CTerminalDialog;
class DialogPageHooks;
class IdentityWindows;
class MenuCommands;

// The main dialog: tab pages with every parameter control, link indicator and the tool
// windows. The menu, the identity windows, the flash-area and setting-file actions, the port
// watch and what the camera operations ask of the pages are parts of their own. The program
// lives as long as it runs.
class CVistrelDlg final : public QDialog,
                          public COnlineStatusUpdater,
                          public ICommunicationHost,
                          public IReadDisplay,
                          public ILinkDisplay {
  Q_OBJECT

 public:
  static constexpr const char* kExitQuestion = "Are you sure to terminate the Camera Vistrel ?";
  static constexpr const char* kReadCancelledTitle = "Reading Cancelled";
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

  // Menu commands by id; false for an id the dialog does not know.
  bool RunMenuCommand(int id);
  QAction* MenuAction(int id) const;
  QMenuBar* MenuBar() const;
  QMenu* UtilityMenu() const;

  // Factory control mode: 1 factory, 0 user.
  int ControlMode() const override { return controlMode_; }
  void ToggleControlMode();
  void BuildTabs();
  QStringList TabTitles() const;
  CTabSheetDialog* Page(int index) const { return pages_[static_cast<size_t>(index)]; }

  bool ChannelOk() const { return channelOk_; }
  void SetSkipExitConfirmation(bool skip) { skipExitConfirmation_ = skip; }
  // Ends the program without a question (the system asks it to end): a one-shot adjustment
  // in progress is cancelled, which sets it back to off, a held lens button is released,
  // then the dialog closes once the run has unwound.
  void ShutDown();
  // Stops what moves on the camera: the one-shot run in progress, the lens.
  void StopMovingParts();
  const AccessCode& AccessSequence() const { return accessCode_; }

  ControlRegistry& Registry() { return *registry_; }
  CTerminalDialog& Terminal() { return *terminal_; }
  CCommunicationDialog& Communication() { return *communication_; }
  CProgressBarDialog& Progress() { return *progress_; }
  // The motor lens window, made on first use.
  CButtonDlg& MotorLens();
  QWidget* LinkIndicator() const;

  // Chooses a flash area (storing or loading); the default asks with the area dialog.
  void SetAreaChooser(CameraFileActions::AreaChooser chooser) {
    files_.SetAreaChooser(std::move(chooser));
  }
  CameraFileActions& FileActions() { return files_; }
  IdentityWindows& Identity() { return *identity_; }

  // The reload of the Settings menu, with the refresh of the pages after it.
  void ReloadCamera() override;

  // Whether the camera answers the model query within `limitMs`.
  bool CameraAnswers(int limitMs) override;
  std::string ModelName() const override { return services_.session.Model().name; }
  void ShowSearchResult(const std::string& result) override {
    ShowStatusNote(QString::fromStdString(result));
  }
  void SetProbeInterval(int ms) { portWatch_->SetProbeInterval(ms); }
  // The status bar: state (Online, Offline, Reading, Writing), channel, model, and a note
  // (why the last change was not sent, and the like).
  QString StatusNote() const;
  QString StatusText() const;
  // Whether the pages hold the camera's values: "values not read yet", how many are not
  // read, or empty once a full read succeeded; with the legend of the tint.
  QString StatusValues() const;
  // The mark over the pages while offline: they show the values last read, and when.
  QString PagesMark() const;
  void OnlineStatusChanged(int online) override;
  // Whether a sequencer entry field holds an edit not yet written with "Write Entry".
  bool EntryFieldMarked(int ctrlId) const { return unwrittenEntry_.contains(ctrlId); }

  // ICommunicationHost
  void SetChannelOk(bool ok) override { channelOk_ = ok; }
  void RefreshState() override;
  bool CheckModel() override;
  void ReadAllSettings() override;
  void SaveSettingFile() override;
  void LoadSettingFile() override;
  void StoreUserSet(int userSet) override;
  void LoadUserSet(int userSet) override;

  // The LUT editors, one per channel (0 red, 1 green, 2 blue), hidden until asked for.
  CLUTDlg* LutEditor(int channel) const { return lutEditors_[static_cast<size_t>(channel)]; }
  // Shows the green editor as the monochrome editor, or hides it.
  void ShowMonochromeEditor(bool show);
  // Hides every editor (the LUT mode was switched off); their tables stay.
  void HideLutEditors();
  // The page's "Open LUT Table" button: opens the editor while the LUT mode is "UserLUT".
  void OpenLutTableFromPage();
  // The LUT menu's commands; false for another id.
  bool RunLutMenuCommand(int id);
  // Reads the three editors' tables from the camera, red first; stops at the first failure.
  Outcome LoadAllLutTables();
  void OpenLutFile();
  void SaveLutFile();

  // IReadDisplay
  void ReadAndShow(const std::function<void()>& read) override;
  void ShowRead() override;
  // ILinkDisplay
  void ShowStatusNote(const QString& note) override;

 public slots:
  void accept() override;
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Dispatch(Notification what, int ctrlId, int32_t position, int32_t step);
  void DispatchNow(Notification what, int ctrlId, int32_t position, int32_t step);
  void OnParameterButton(int ctrlId);
  // Before a change is sent while the link is offline: true when the camera answers (the
  // program is online again and the change may go); otherwise nothing is sent, the pages
  // show the last confirmed values again and the status bar says why.
  bool ReadyToSend(Notification what, int ctrlId);
  // The sequencer entry (VistrelDlgEntries.cpp): edits not yet written are marked, and an
  // index change asks before it replaces them; false when the operator keeps them.
  bool IsSequencerEntryField(int ctrlId) const;
  void MarkEntryEdited(int ctrlId);
  void ClearEntryMarks();
  bool EntryMayChange(Notification what, int ctrlId);
  void NoteEntryChange(Notification what, int ctrlId);
  void UpdateStatusBar();
  // Shows what the program is doing with the camera (Reading, Writing) until it is done.
  class Activity {
   public:
    Activity(CVistrelDlg& dialog, const char* what);
    ~Activity();
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

   private:
    CVistrelDlg& dialog_;
    QString before_;
  };
  void AfterCameraRead();
  // Says how many values the last read could not get, when it missed any.
  void ReportIncompleteRead();
  // Tints the fields that do not show the camera's value: those the last read missed, or
  // every field the read would fill while the camera's values were never read.
  void MarkUnreadFields();
  // Whether the table holds values read from the camera since the start (only then may
  // changed rows be written).
  bool ValuesRead() const { return services_.session.ValuesReadSinceStart(); }
  void OnTabChanged(int index);
  // Up and Down in a number field step it as its up-down arrows do; false when `focus` is no
  // number field with an up-down control.
  bool StepNumberField(QWidget* focus, int step);
  bool InPage(const QWidget* widget) const;
  void CreateLutEditors();
  // One editor item per channel, or the monochrome editor alone, as the model has.
  void UpdateLutMenu();
  RangeInputs CurrentRangeInputs();
  HandlerContext Context();

  AppServices& services_;
  std::unique_ptr<Ui::VistrelDlg> ui_;
  std::unique_ptr<DialogPageHooks> hooks_;
  MenuCommands* menu_;
  std::array<CLUTDlg*, 3> lutEditors_{};
  std::array<CTabSheetDialog*, 8> pages_{};
  ControlRegistry* registry_;
  CTerminalDialog* terminal_;
  CCommunicationDialog* communication_;
  CProgressBarDialog* progress_;
  CAdjustProgressDialog* adjustProgress_;
  IdentityWindows* identity_ = nullptr;
  CameraFileActions files_;
  PortWatch* portWatch_;
  QTimer* idleTimer_;
  std::set<int> rowIds_;
  AccessCode accessCode_;
  int controlMode_ = 0;
  bool channelOk_ = false;
  bool skipExitConfirmation_ = false;
  QLabel* pagesMark_ = nullptr;
  QString readAt_;                // the time of the last read that got values
  QString activity_;              // Reading or Writing while a pass or a change runs
  std::set<int> unwrittenEntry_;  // sequencer entry fields edited since the entry was shown
};

}  // namespace vistrel
