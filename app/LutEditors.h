#pragma once

#include <array>

#include "app/AppServices.h"
#include "app/MenuPart.h"
#include "core/Outcome.h"

class QWidget;

namespace vistrel {

class CLUTDlg;
class ControlRegistry;
class MenuCommands;

// The LUT editors, one per channel (0 red, 1 green, 2 blue), hidden until asked for; the LUT
// menu's commands and the page's "Open LUT Table" button.
class LutEditors final : public IMenuPart {
 public:
  LutEditors(AppServices& services, ControlRegistry& registry, QWidget* parent);

  CLUTDlg* Editor(int channel) const { return editors_[static_cast<size_t>(channel)]; }
  // One editor item per channel, or the monochrome editor alone, as the model has.
  void UpdateMenu(const MenuCommands& menu);
  // Shows the green editor as the monochrome editor, or hides it.
  void ShowMonochromeEditor(bool show);
  // Hides every editor (the LUT mode was switched off); their tables stay.
  void HideAll();
  // The page's "Open LUT Table" button: opens the editor while the LUT mode is "UserLUT".
  void OpenFromPage();
  // Reads the three editors' tables from the camera, red first; stops at the first failure.
  Outcome LoadAllTables();
  bool Run(int menuId) override;

 private:
  void OpenFile();
  void SaveFile();

  AppServices& services_;
  ControlRegistry& registry_;
  std::array<CLUTDlg*, 3> editors_{};
};

}  // namespace vistrel
