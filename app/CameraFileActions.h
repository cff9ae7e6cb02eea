#pragma once

#include <functional>
#include <optional>

#include "app/AppServices.h"
#include "app/MenuPart.h"

class QWidget;

namespace vistrel {

// What the flash-area and setting-file actions ask of the main dialog around a read of the
// camera's values.
class IReadDisplay {
 public:
  virtual ~IReadDisplay() = default;
  // Runs `read` while the status bar says "Reading", then shows what it got.
  virtual void ReadAndShow(const std::function<void()>& read) = 0;
  // Shows what the last read got: the pages, their lists and the marks of what it missed.
  virtual void ShowRead() = 0;
  // Factory control mode: 1 factory, 0 user.
  virtual int ControlMode() const = 0;
};

// The flash areas (load and store, the user sets) and the setting files (open, save) as the
// menu and the communication dialog offer them.
class CameraFileActions final : public IMenuPart {
 public:
  CameraFileActions(AppServices& services, IReadDisplay& display, QWidget* parent)
      : services_(services), display_(display), parent_(parent) {}

  // Chooses a flash area (storing or loading); the default asks with the area dialog.
  using AreaChooser = std::function<std::optional<int>(bool storing)>;
  void SetAreaChooser(AreaChooser chooser) { areaChooser_ = std::move(chooser); }

  // Asks for a flash area, then stores the settings into it or loads them from it.
  void ChooseAreaAndRun(bool storing);
  // Asks for a file name (and whether to replace the file), then writes the setting file.
  void SaveSettingFileAs(bool allData);
  // Asks for a setting file and loads it into the camera.
  void LoadSettingFile();
  void StoreUserSet(int userSet);
  void LoadUserSet(int userSet);
  bool Run(int menuId) override;

 private:
  AppServices& services_;
  IReadDisplay& display_;
  QWidget* parent_;
  AreaChooser areaChooser_;
};

}  // namespace vistrel
