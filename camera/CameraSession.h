#pragma once

#include <string>
#include <vector>

#include "camera/AutoAdjust.h"
#include "camera/CameraModel.h"
#include "camera/PageHooks.h"
#include "core/Command.h"
#include "core/ControlIds.h"
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
  // Follows the one-shot adjustments (the desktop's progress window); polled within Poll().
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
  bool HaveCameraValues() const { return lastRead_.ran && lastRead_.Complete(); }
  // Whether any read-all since the start got values from the camera; until then the table
  // holds the program's initial values, which are never to be sent as changes.
  bool ValuesReadSinceStart() const { return readSinceStart_; }

  // The model record: the camera's answer to the last model check, or the one given by SetModel.
  const CameraModel& Model() const { return model_; }
  // Takes a model the camera did not report (a test, a tool that knows the camera). It is not the
  // camera's answer, so the model check is forgotten: the next CheckModelOnce asks the camera and
  // its answer replaces this record.
  void SetModel(const CameraModel& model) {
    model_ = model;
    modelChecked_ = false;
  }
  // The model check of this run. The first call asks the camera; once it has answered, later
  // calls keep its record without asking again, until ForgetModel (the camera may have
  // changed: another channel, a new model id, the operator's reload). Not Done when the camera
  // did not answer; that is not remembered, and the record is kept as it was.
  Outcome CheckModelOnce() {
    if (modelChecked_)
      return Outcome::Done;
    const Outcome checked = CheckModel(engine_, messages_, model_);
    modelChecked_ = checked == Outcome::Done;
    return checked;
  }
  // Asks the camera now, whatever it answered before (it has just been told a new model id, or
  // the channel was reopened).
  Outcome CheckModelAgain() {
    ForgetModel();
    return CheckModelOnce();
  }
  void ForgetModel() { modelChecked_ = false; }

  // The Camera Link state as the camera last reported or kept it.
  const CameraLinkState& Link() const { return link_; }
  // Keeps the value of one of the four Camera Link controls; any other control leaves it alone.
  void NoteLinkValue(int ctrlId, int value) {
    if (ctrlId == ctl::CLCFG)
      link_.clConfiguration = value;
    else if (ctrlId == ctl::BA)
      link_.bitAllocation = value;
    else if (ctrlId == ctl::CLCF)
      link_.sensorClock = value;
    else if (ctrlId == ctl::TAGM)
      link_.tapGeometry = value;
  }

  // The stored control mode: factory parameters take part in reads, loads and saves.
  bool FactoryMode() const { return factoryMode_; }
  void SetFactoryMode(bool factory) { factoryMode_ = factory; }

  // The flash area of the last load or store.
  int LastArea() const { return lastArea_; }
  void RememberArea(int area) { lastArea_ = area; }

  // What the last read-all pass (or reload) got.
  const ReadAllResult& LastRead() const { return lastRead_; }
  void RecordRead(const ReadAllResult& pass) {
    lastRead_ = pass;
    readSinceStart_ = readSinceStart_ || (pass.ran && !pass.read.empty());
  }

  // The limits a one-shot adjustment is followed within.
  const PollLimits& Poll() const { return poll_; }
  void SetPoll(const PollLimits& poll) { poll_ = poll; }

 private:
  CameraModel model_;
  bool modelChecked_ = false;
  CameraLinkState link_;
  bool factoryMode_ = false;
  int lastArea_ = 0;
  ReadAllResult lastRead_;
  bool readSinceStart_ = false;
  PollLimits poll_;
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
