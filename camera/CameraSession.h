#pragma once

#include <string>
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

// What the desktop program does around the camera operations: page refreshes, window locks
// and event pumping. The command-line tool leaves all of them empty.
class IPageHooks {
 public:
  virtual ~IPageHooks() = default;
  virtual void LockWindows(bool locked) { (void)locked; }
  // Lets the windows repaint between two exchanges of a long pass.
  virtual void PumpEvents() {}
  virtual void FillModelChoice(const std::vector<std::string>& entries, int selected) {
    (void)entries, (void)selected;
  }
  // Shows, hides and fills the controls that depend on the model.
  virtual void PreparePagesForModel(const CameraModel& model) { (void)model; }
  virtual void RefreshDependentStates() {}
  virtual void RefreshRemainingPages() {}
  // Selects the entry of a choice whose item values do not follow the camera's value.
  virtual void SelectChoiceEntry(int ctrlId, int entry) { (void)ctrlId, (void)entry; }
  virtual void FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int selected) {
    (void)entries, (void)selected;
  }
  virtual void ShowVideoMode(int value) { (void)value; }
  virtual void ApplySequencerIndex() {}
  virtual void RefreshExposureModeControls() {}
  virtual void RefreshCameraLinkControls() {}
  virtual void ActivateMainWindow() {}
  // Hides the LUT editor windows (the LUT mode was turned off).
  virtual void HideLutEditors() {}
  // The folder of the setting file last used, to offer it again next time.
  virtual void RememberCameraFileFolder(const std::string& folder) { (void)folder; }
};

class NullProgress final : public IProgress {
 public:
  void Begin(const std::string&) override {}
  void Update(int) override {}
  void End() override {}
};

// Everything the camera operations work with: the engine, the parameter table, the model
// record, the Camera Link state, the control mode, and the front end's displays.
class CameraSession {
 public:
  CameraSession(Command& engine, ParameterTable& table, IMessagePresenter& messages)
      : engine(engine), table(table), messages(messages) {}

  void SetProgress(IProgress* p) { progress = p ? p : &nullProgress_; }
  void SetView(IParameterView* v) { view = v ? v : &nullView_; }
  void SetHooks(IPageHooks* h) { hooks = h ? h : &nullHooks_; }
  void SetAdjustWatch(IAdjustWatch* w) { adjustWatch = w ? w : &sleepingWatch_; }

  Command& engine;
  ParameterTable& table;
  IMessagePresenter& messages;
  CameraModel model;
  CameraLinkState link;
  bool factoryMode = false;  // the stored control mode: factory parameters take part
  int lastArea = 0;          // the flash area of the last load or store
  ReadAllResult lastRead;    // what the last read-all pass got

  // Whether the table holds the camera's values: the last read-all read every row.
  bool HaveCameraValues() const { return lastRead.ran && lastRead.Complete(); }

  // The model check of this run. The first call asks the camera; once it has answered, later
  // calls keep its record without asking again, until ForgetModel (the camera may have
  // changed: another channel, a new model id, the operator's reload). False when the camera
  // did not answer; that is not remembered.
  bool CheckModelOnce() {
    if (!modelChecked_)
      modelChecked_ = CheckModel(engine, messages, model);
    return modelChecked_;
  }
  void ForgetModel() { modelChecked_ = false; }
  IProgress* progress = &nullProgress_;
  IParameterView* view = &nullView_;
  IPageHooks* hooks = &nullHooks_;
  // Follows the one-shot adjustments (the desktop's progress window); polled within `poll`.
  IAdjustWatch* adjustWatch = &sleepingWatch_;
  PollLimits poll;

 private:
  bool modelChecked_ = false;
  NullProgress nullProgress_;
  NullParameterView nullView_;
  IPageHooks nullHooks_;
  SleepingWatch sleepingWatch_{engine};
};

}  // namespace vistrel
