#include "camera/BaudChoice.h"

#include <array>

namespace vistrel {
namespace {

struct BaudRow {
  const char* text;
  int value;
  int32_t leastMask;  // offered when the supported-rate mask is at least this
  bool exact;         // ... or only when it is exactly this
};

constexpr std::array<BaudRow, 8> kBaudRows{{
    {"Baud9600", 1, 0, false},
    {"Baud19200", 2, 0, false},
    {"Baud38400", 4, 0, false},
    {"Baud57600", 8, 0, false},
    {"Baud115200", 16, 0, false},
    {"Baud230400", 32, 63, false},
    {"Baud460800", 64, 127, false},
    {"Baud921600", 128, 255, true},
}};

constexpr std::array<int32_t, 8> kGammaValues{50, 55, 60, 65, 75, 80, 90, 100};

}  // namespace

std::vector<ChoiceEntry> CameraBaudEntries(int32_t supportedMask) {
  std::vector<ChoiceEntry> entries;
  for (const BaudRow& row : kBaudRows) {
    if (row.exact ? supportedMask != row.leastMask : supportedMask < row.leastMask)
      break;
    entries.push_back({row.text, row.value});
  }
  return entries;
}

int CameraBaudEntryFor(int32_t value) {
  for (size_t i = 1; i < kBaudRows.size(); ++i) {
    if (kBaudRows[i].value == value)
      return static_cast<int>(i);
  }
  return 0;
}

int GammaEntryFor(int32_t value) {
  for (size_t i = 0; i < kGammaValues.size(); ++i) {
    if (kGammaValues[i] == value)
      return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace vistrel
