#pragma once

#include <array>
#include <cstdint>

#include "core/CommandIds.h"

namespace vistrel {

// The camera's output look-up tables: one table of 32 output levels per colour channel.
inline constexpr int kLutEntries = 32;
inline constexpr int kLutChannels = 3;
inline constexpr uint32_t kLutMaxLevel = 4095;

using LutTable = std::array<uint32_t, kLutEntries>;
// The three channel tables, indexed 0 red, 1 green, 2 blue.
using LutTableSet = std::array<LutTable, kLutChannels>;

// What belongs to one channel: the command that carries its entries, the tag of its progress
// text, the title of its editor and its name on the command line.
struct LutChannelInfo {
  int commandId;
  const char* progressTag;
  const char* editorTitle;
  const char* name;
};

inline constexpr std::array<LutChannelInfo, kLutChannels> kLutChannelInfo{{
    {cmd::LUTSR, "[R]. ", "LUT Setting for Red", "red"},
    {cmd::LUTSG, "[G]. ", "LUT Setting for Green", "green"},
    {cmd::LUTSB, "[B]. ", "LUT Setting for Blue", "blue"},
}};

inline constexpr int kLutGreenChannel = 1;
inline constexpr const char* kMonochromeEditorTitle = "LUT Setting for Monochrome";

inline bool IsLutChannel(int channel) {
  return channel >= 0 && channel < kLutChannels;
}

}  // namespace vistrel
