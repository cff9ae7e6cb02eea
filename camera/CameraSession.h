#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "camera/AutoAdjust.h"
#include "camera/CameraModel.h"
#include "core/Command.h"
#include "core/Interfaces.h"
#include "core/Outcome.h"
#include "core/ParameterTable.h"

namespace vistrel {

// The Camera Link state the pages depend on, kept as the camera reports it.
struct CameraLinkState {
  int clConfiguration = 1;  // CLCFG
  int bitAllocation = 3;    // BA
  int sensorClock = 2;      // CLCF
  int tapGeometry = 3;      // TAGM
};

// What a read-all pass (or a whole reload) got from the camera.
struct ReadAllResult {
  std::vector<int> read;    // rows read, in table order
  std::vector<int> unread;  // rows the pass should have read and could not, in table order
  // Done when every row was read; otherwise what kept the rows out: the channel was lost,
  // the camera stopped answering, or it answered some queries with something else.
  Outcome outcome = Outcome::Done;
  bool modelAnswered = true;  // a reload: whether the camera answered the model query
  bool ran = false;           // false until a pass has been made
  bool cancelled = false;     // the operator stopped the pass; the rows left count as unread

  bool Complete() const { return unread.empty() && outcome == Outcome::Done && modelAnswered; }
  // Done for a complete read; otherwise what kept it from completing.
  Outcome Overall() const {
    if (Complete())
      return Outcome::Done;
    return outcome == Outcome::Done ? Outcome::Refused : outcome;
  }
};

// One entry of a choice control: its text and the value it stands for.
struct ChoiceEntry {
  std::string text;
  int value;
};

// What the desktop program does around the camera operations, in four small roles; the
// command-line tool leaves all of them empty.

// The windows around a long pass: locked while it runs, repainted between two exchanges.
class IWindowHooks {
 public:
  virtual ~IWindowHooks() = default;
  virtual void LockWindows(bool locked) { (void)locked; }
  // Lets the windows repaint between two exchanges of a long pass.
  virtual void PumpEvents() {}
  virtual void ActivateMainWindow() {}
};

// The choices and read-outs whose entries come from the camera.
class IChoiceHooks {
 public:
  virtual ~IChoiceHooks() = default;
  virtual void FillModelChoice(const std::vector<std::string>& entries, int selected) {
    (void)entries, (void)selected;
  }
  // Selects the entry of a choice whose item values do not follow the camera's value.
  virtual void SelectChoiceEntry(int ctrlId, int entry) { (void)ctrlId, (void)entry; }
  virtual void FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int selected) {
    (void)entries, (void)selected;
  }
  virtual void ShowVideoMode(int value) { (void)value; }
};

// The pages brought in line with the model and the values the camera holds.
class IPageRefresh {
 public:
  virtual ~IPageRefresh() = default;
  // Shows, hides and fills the controls that depend on the model.
  virtual void PreparePagesForModel(const CameraModel& model) { (void)model; }
  virtual void RefreshDependentStates() {}
  virtual void RefreshRemainingPages() {}
  virtual void ApplySequencerIndex() {}
  virtual void RefreshExposureModeControls() {}
  virtual void RefreshCameraLinkControls() {}
  // Hides the LUT editor windows (the LUT mode was turned off).
  virtual void HideLutEditors() {}
};

// The folder of the setting file last used, to offer it again next time.
class IFolderMemory {
 public:
  virtual ~IFolderMemory() = default;
  virtual void RememberCameraFileFolder(const std::string& folder) { (void)folder; }
};

// The roles a front end fills; a role left empty does nothing.
struct PageHooks {
  IWindowHooks* windows = nullptr;
  IChoiceHooks* choices = nullptr;
  IPageRefresh* pages = nullptr;
  IFolderMemory* folders = nullptr;

  // Every role `hooks` takes on.
  template <class T>
  static PageHooks Of(T& hooks) {
    PageHooks roles;
    if constexpr (std::is_base_of_v<IWindowHooks, T>)
      roles.windows = &hooks;
    if constexpr (std::is_base_of_v<IChoiceHooks, T>)
      roles.choices = &hooks;
    if constexpr (std::is_base_of_v<IPageRefresh, T>)
      roles.pages = &hooks;
    if constexpr (std::is_base_of_v<IFolderMemory, T>)
      roles.folders = &hooks;
    return roles;
  }
};

class NullProgress final : public IProgress {
 public:
  void Begin(const std::string&) override {}
  void Update(int) override {}
  void End() override {}
};

// Everything the camera operations work with: the engine, the parameter table and the
// messages it is given; the front end's displays, each doing nothing until one is given; and
// what it holds of the camera: the model record, the Camera Link state, the control mode, the
// flash area last used, the last read-all pass and the limits of a one-shot adjustment.
class CameraSession {
 public:
  CameraSession(Command& engine, ParameterTable& table, IMessagePresenter& messages)
      : engine_(engine), table_(table), messages_(messages) {}
  CameraSession(const CameraSession&) = delete;
  CameraSession& operator=(const CameraSession&) = delete;

  Command& Engine() const { return engine_; }
  ParameterTable& Table() const { return table_; }
  IMessagePresenter& Messages() const { return messages_; }

  // The front end's displays; null gives the one that does nothing back.
  void SetProgress(IProgress* p) { progress_ = p ? p : &nullProgress_; }
  void SetView(IParameterView* v) { view_ = v ? v : &nullView_; }
  // Follows the one-shot adjustments (the desktop's progress window); polled within `poll`.
  void SetAdjustWatch(IAdjustWatch* w) { adjustWatch_ = w ? w : &sleepingWatch_; }
  // The roles a front end takes on; a role left empty does nothing.
  void SetHooks(const PageHooks& h) {
    windows_ = h.windows ? h.windows : &nullWindows_;
    choices_ = h.choices ? h.choices : &nullChoices_;
    pages_ = h.pages ? h.pages : &nullPages_;
    folders_ = h.folders ? h.folders : &nullFolders_;
  }
  IProgress& Progress() const { return *progress_; }
  IParameterView& View() const { return *view_; }
  IAdjustWatch& AdjustWatch() const { return *adjustWatch_; }
  IWindowHooks& Windows() const { return *windows_; }
  IChoiceHooks& Choices() const { return *choices_; }
  IPageRefresh& Pages() const { return *pages_; }
  IFolderMemory& Folders() const { return *folders_; }

  // Whether the table holds the camera's values: the last read-all read every row.
  bool HaveCameraValues() const { return lastRead.ran && lastRead.Complete(); }

  CameraModel model;
  CameraLinkState link;
  bool factoryMode = false;  // the stored control mode: factory parameters take part
  int lastArea = 0;          // the flash area of the last load or store
  ReadAllResult lastRead;    // what the last read-all pass got
  PollLimits poll;

  // The model check of this run. The first call asks the camera; once it has answered, later
  // calls keep its record without asking again, until ForgetModel (the camera may have
  // changed: another channel, a new model id, the operator's reload). False when the camera
  // did not answer; that is not remembered.
  bool CheckModelOnce() {
    if (!modelChecked_)
      modelChecked_ = CheckModel(engine_, messages_, model);
    return modelChecked_;
  }
  void ForgetModel() { modelChecked_ = false; }

 private:
  bool modelChecked_ = false;
  Command& engine_;
  ParameterTable& table_;
  IMessagePresenter& messages_;
  NullProgress nullProgress_;
  NullParameterView nullView_;
  SleepingWatch sleepingWatch_{engine_};
  IWindowHooks nullWindows_;
  IChoiceHooks nullChoices_;
  IPageRefresh nullPages_;
  IFolderMemory nullFolders_;
  IProgress* progress_ = &nullProgress_;
  IParameterView* view_ = &nullView_;
  IAdjustWatch* adjustWatch_ = &sleepingWatch_;
  IWindowHooks* windows_ = &nullWindows_;
  IChoiceHooks* choices_ = &nullChoices_;
  IPageRefresh* pages_ = &nullPages_;
  IFolderMemory* folders_ = &nullFolders_;
};

}  // namespace vistrel
