#pragma once

namespace vistrel {

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
    {"File(&F)", "&Open", 32781},
    {"File(&F)", "Save &as/&All Data", 32786},
    {"File(&F)", "Save &as/&Shipping Data", 32787},
    {"File(&F)", "E&xit", 2},
    {"Settings(&S)", "&Reload", 32775},
    {"Settings(&S)", "&Load settings", 32777},
    {"Settings(&S)", "&Store settings", 32776},
    // The motor lens window has no other way in.
    {"Settings(&S)", "&Motor lens", 32789},
    {"Utility(&U)", "Edit &user id", 32773},
    {"Utility(&U)", "Edit &camera id", 32778},
    {"LUT(&L)", "&Open LUT file", 32779},
    {"LUT(&L)", "&Save LUT file", 32780},
    {"LUT(&L)", "Load &all LUT table", 32784},
    {"LUT(&L)", "LUT Setting for &Red", 32790},
    {"LUT(&L)", "LUT Setting for &Green", 32791},
    {"LUT(&L)", "LUT Setting for &Blue", 32792},
    {"Help(&H)", "&About this application", 32774},
    {"Help(&H)", "Open &Communication Dialog", 32785},
    // The terminal has no other way in.
    {"Help(&H)", "Open RS-232C &Terminal", 32788},
    {"Help(&H)", "&Keyboard shortcuts", 32793},
};

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
