#pragma once

#include "app/AppServices.h"

namespace vistrel {

class CVistrelDlg;
class CameraFileActions;
class DialogPageHooks;
class MainStatusBar;
class PortWatch;

// What the communication window asks of the main window (the model check, a full read, the
// flash areas and setting files, whether a camera answers), carried out by its parts.
class CommunicationHost final : public ICommunicationHost {
 public:
  struct Parts {
    CVistrelDlg& dialog;
    CameraFileActions& files;
    DialogPageHooks& hooks;
    MainStatusBar& status;
    PortWatch& watch;
  };
  CommunicationHost(AppServices& services, Parts parts) : services_(services), parts_(parts) {}

  void SetChannelOk(bool ok) override;
  void RefreshState() override {}
  // The model check, after which the pages offer only the controls the model has.
  bool CheckModel() override;
  void ReadAllSettings() override;
  int ControlMode() const override;
  void SaveSettingFile() override;
  void LoadSettingFile() override;
  void StoreUserSet(int userSet) override;
  void LoadUserSet(int userSet) override;
  bool CameraAnswers(int limitMs) override;
  std::string ModelName() const override { return services_.session.Model().name; }
  void ShowSearchResult(const std::string& result) override;

 private:
  AppServices& services_;
  Parts parts_;
};

}  // namespace vistrel
