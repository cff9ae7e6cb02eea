#pragma once

#include "app/AppServices.h"
#include "camera/CameraSession.h"
#include "params/TableBoundPath.h"

namespace vistrel {

class CVistrelDlg;
class ControlRegistry;

// What the camera operations ask of the desktop program's windows and pages, carried out on
// the main dialog and its control registry.
class DialogPageHooks final : public IWindowHooks,
                              public IChoiceHooks,
                              public IPageRefresh,
                              public IFolderMemory {
 public:
  DialogPageHooks(AppServices& services, ControlRegistry& registry, CVistrelDlg& dialog)
      : services_(services), registry_(registry), dialog_(dialog) {}

  // Hides the controls whose commands the model does not have, and shows the others again.
  void OfferControlsForModel(const CameraModel& model);

  // IWindowHooks
  void LockWindows(bool locked) override;
  void PumpEvents() override;
  void ActivateMainWindow() override;
  // IChoiceHooks
  void FillModelChoice(const std::vector<std::string>& entries, int selected) override;
  void SelectChoiceEntry(int ctrlId, int entry) override;
  void FillCameraBaudChoice(const std::vector<ChoiceEntry>& entries, int selected) override;
  void ShowVideoMode(int value) override;
  // IPageRefresh
  void PreparePagesForModel(const CameraModel& model) override;
  void ApplySequencerIndex() override;
  void RefreshDependentStates() override;
  void RefreshRemainingPages() override;
  void RefreshCameraLinkControls() override;
  void RefreshExposureModeControls() override;
  void HideLutEditors() override;
  // IFolderMemory
  void RememberCameraFileFolder(const std::string& folder) override;

 private:
  AppServices& services_;
  ControlRegistry& registry_;
  CVistrelDlg& dialog_;
};

}  // namespace vistrel
