#pragma once

namespace vistrel {

// The command ids of the menu items; every other place names them.
namespace menu {
constexpr int kOpen = 32781;
constexpr int kSaveAllData = 32786;
constexpr int kSaveShippingData = 32787;
constexpr int kExit = 2;
constexpr int kReload = 32775;
constexpr int kLoadSettings = 32777;
constexpr int kStoreSettings = 32776;
constexpr int kEditUserId = 32773;
constexpr int kEditCameraId = 32778;
constexpr int kAbout = 32774;
constexpr int kOpenCommunication = 32785;
constexpr int kOpenTerminal = 32788;
constexpr int kMotorLens = 32789;
constexpr int kOpenLutFile = 32779;
constexpr int kSaveLutFile = 32780;
constexpr int kLoadAllLutTables = 32784;
// One item per LUT editor, red, green (the monochrome editor) and blue.
constexpr int kLutEditorRed = 32790;
constexpr int kLutEditorGreen = 32791;
constexpr int kLutEditorBlue = 32792;
constexpr int kShortcuts = 32793;
}  // namespace menu

// The menu of the main dialog: popup title, item text (with its Alt letter) and command id, one
// line per item; "/" leads into a submenu.
struct MenuItem {
  const char* popup;
  const char* text;
  int id;
};

inline constexpr const char* kMenuTitles[] = {"File(&F)", "Settings(&S)", "Utility(&U)", "LUT(&L)",
                                              "Help(&H)"};

inline constexpr MenuItem kMenuItems[] = {
    {"File(&F)", "&Open", menu::kOpen},
    {"File(&F)", "Save &as/&All Data", menu::kSaveAllData},
    {"File(&F)", "Save &as/&Shipping Data", menu::kSaveShippingData},
    {"File(&F)", "E&xit", menu::kExit},
    {"Settings(&S)", "&Reload", menu::kReload},
    {"Settings(&S)", "&Load settings", menu::kLoadSettings},
    {"Settings(&S)", "&Store settings", menu::kStoreSettings},
    // The motor lens window has no other way in.
    {"Settings(&S)", "&Motor lens", menu::kMotorLens},
    {"Utility(&U)", "Edit &user id", menu::kEditUserId},
    {"Utility(&U)", "Edit &camera id", menu::kEditCameraId},
    {"LUT(&L)", "&Open LUT file", menu::kOpenLutFile},
    {"LUT(&L)", "&Save LUT file", menu::kSaveLutFile},
    {"LUT(&L)", "Load &all LUT table", menu::kLoadAllLutTables},
    {"LUT(&L)", "LUT Setting for &Red", menu::kLutEditorRed},
    {"LUT(&L)", "LUT Setting for &Green", menu::kLutEditorGreen},
    {"LUT(&L)", "LUT Setting for &Blue", menu::kLutEditorBlue},
    {"Help(&H)", "&About this application", menu::kAbout},
    {"Help(&H)", "Open &Communication Dialog", menu::kOpenCommunication},
    // The terminal has no other way in.
    {"Help(&H)", "Open RS-232C &Terminal", menu::kOpenTerminal},
    {"Help(&H)", "&Keyboard shortcuts", menu::kShortcuts},
};

// The text of a menu item, with its Alt letter; empty for an id the menu does not have.
constexpr const char* MenuItemText(int id) {
  for (const MenuItem& item : kMenuItems) {
    if (item.id == id)
      return item.text;
  }
  return "";
}

// The keys of menu commands, and what the list of shortcuts says of them.
struct MenuShortcut {
  int id;
  const char* keys;
  const char* what;
};

inline constexpr MenuShortcut kMenuShortcuts[] = {
    {menu::kReload, "F5", "Reload: read every setting from the camera"},
    {menu::kOpen, "Ctrl+O", "Open a setting file (\"Read To FIle....\")"},
    {menu::kSaveAllData, "Ctrl+S", "Save a setting file, all data (\"Write To File...\")"},
    {menu::kExit, "Ctrl+Q", "Exit (asks first)"},
};

}  // namespace vistrel
