#pragma once

// Control ids of the LUT editor and of the page controls that lead to it.
namespace vistrel::lutctrl {

// On the page that holds the LUT group.
inline constexpr int kLutMode = 1381;       // choice: Off, Gamma, UserLUT
inline constexpr int kOpenLutTable = 1573;  // button "Open LUT Table"
inline constexpr int kLutModeOff = 0;       // entry of kLutMode
inline constexpr int kLutModeUserLut = 2;   // entry of kLutMode

// In the editor window.
inline constexpr int kGraph = 1148;
inline constexpr int kModeText = 1578;
inline constexpr int kReadTable = 1574;
inline constexpr int kWriteTable = 1146;
inline constexpr int kClearTable = 1147;
inline constexpr int kWriteAllTables = 1150;
inline constexpr int kPointCount = 1576;
inline constexpr int kConvertEditable = 1149;
inline constexpr int kStatusStrip = 1159;

}  // namespace vistrel::lutctrl
