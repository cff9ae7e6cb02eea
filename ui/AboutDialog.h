#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/ControlIds.h"
#include "ui/HelpFiles.h"
#include "ui/IdentityDialogBase.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vistrel {

struct CameraData;

// "About This Control": the program's title and version, the camera's identity and versions,
// writing the user id (and, in factory control mode, the device version), and the manuals.
class CAboutDialog final : public CIdentityDialogBase {
  Q_OBJECT

 public:
  // Opens a document with the desktop's viewer; false when it could not.
  using Opener = std::function<bool(const std::filesystem::path&)>;

  // `controlMode` 1 is factory control mode: the device version can then be edited and
  // written.
  CAboutDialog(CameraSession& session, OnlineStatusNotifier& notifier, WindowLockList& locks,
               int controlMode, QWidget* parent = nullptr);

  void SetOpener(Opener opener) { opener_ = std::move(opener); }
  // Offers the manuals of these folders (the current and the installed documentation folder
  // when the window opens).
  void FillHelpFiles(const std::filesystem::path& currentFolder,
                     const std::filesystem::path& docFolder);

  void SetUserIdProtected(bool protect);
  void OnSaveUserId();
  void OnSaveDeviceVersion();
  void OnViewHelpFile();

 private:
  QWidget* BuildCameraGroup(bool factory);
  QWidget* BuildHelpGroup();
  void ShowCameraData(const CameraData& data);

  std::array<QLineEdit*, 4> deviceVersion_{};
  QLineEdit* modelName_;
  QLineEdit* cameraId_;
  QLineEdit* firmwareVersion_;
  QLineEdit* fpgaVersion_;
  QLineEdit* xmlVersion_;
  QLineEdit* userId_;
  QPushButton* saveUserId_;
  QRadioButton* protectUserId_;
  QRadioButton* editUserId_;
  QComboBox* helpFile_;
  std::vector<HelpFile> helpFiles_;
  Opener opener_;
};

}  // namespace vistrel
