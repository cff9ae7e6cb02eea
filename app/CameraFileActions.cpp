#include "app/CameraFileActions.h"

#include <QtWidgets/QDialog>
#include <filesystem>

#include "app/MainMenu.h"
#include "app/ParameterAreaSelectDialog.h"
#include "camera/FlashAreas.h"
#include "camera/SettingFile.h"
#include "ui/LogFiles.h"

namespace vistrel {

void CameraFileActions::ChooseAreaAndRun(bool storing) {
  std::optional<int> area;
  if (areaChooser_) {
    area = areaChooser_(storing);
  } else {
    CParameterAreaSelectDialog dialog(AreaChoices(storing, display_.ControlMode() == 1),
                                      storing ? "Store settings" : "Load settings",
                                      services_.notifier, parent_);
    if (dialog.exec() == QDialog::Accepted) {
      const int chosen = AreaFromChoice(dialog.Choice());
      if (chosen >= 0)
        area = chosen;
    }
  }
  if (!area)
    return;
  if (storing)
    StoreArea(services_.session, *area);
  else
    display_.ReadAndShow([this, &area] { LoadArea(services_.session, *area); });
}

void CameraFileActions::SaveSettingFileAs(bool allData) {
  const std::string folder = services_.settings.GetStoredText(kStoredCameraFilePath).value;
  const std::optional<std::string> path =
      ChooseFileToWrite(services_.messages, folder, kSettingFileExtension, kSettingFileFilter);
  if (!path)
    return;
  if (WriteSettingFile(services_.session, *path,
                       allData ? SettingFileVariant::AllData : SettingFileVariant::ShippingData) ==
      Outcome::Done)
    services_.settings.SetStoredText(kStoredCameraFilePath, ParentFolderOf(*path));
}

void CameraFileActions::LoadSettingFile() {
  const std::string folder = services_.settings.GetStoredText(kStoredCameraFilePath).value;
  const std::optional<std::string> path =
      services_.messages.ChooseFile(false, folder, kSettingFileExtension, kSettingFileFilter);
  if (!path || path->empty())
    return;
  vistrel::LoadSettingFile(services_.session, *path, nullptr, OtherModel::Ask);
}

void CameraFileActions::StoreUserSet(int userSet) {
  UserSetStore(services_.session, userSet);
}

void CameraFileActions::LoadUserSet(int userSet) {
  if (UserSetLoad(services_.session, userSet) == Outcome::Done ||
      !services_.session.HaveCameraValues())
    display_.ShowRead();
}

bool CameraFileActions::Run(int menuId) {
  switch (menuId) {
    case menu::kOpen:
      LoadSettingFile();
      return true;
    case menu::kSaveAllData:
    case menu::kSaveShippingData:
      SaveSettingFileAs(menuId == menu::kSaveAllData);
      return true;
    case menu::kLoadSettings:
    case menu::kStoreSettings:
      ChooseAreaAndRun(menuId == menu::kStoreSettings);
      return true;
    default:
      return false;
  }
}

}  // namespace vistrel
