#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "camera/CameraModel.h"

namespace vistrel {

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

}  // namespace vistrel
