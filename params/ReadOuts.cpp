#include "params/ReadOuts.h"

#include <array>
#include <cstdio>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "params/HandlerSupport.h"

namespace vistrel::ReadOuts {

namespace {

struct NamedValue {
  int32_t value;
  const char* text;
};

constexpr std::array<NamedValue, 4> kVideoModes = {{
    {0, "Normal Mode"},
    {1, "TriggerSequencerMode"},
    {2, "CommandSeqencerMode"},
    {4, "SensorMultiRoiMode"},
}};

constexpr std::array<NamedValue, 8> kBaudLimits = {{
    {1, "BaudRateMax 9600"},
    {3, "BaudRateMax 19200"},
    {7, "BaudRateMax 38400"},
    {15, "BaudRateMax 57600"},
    {31, "BaudRateMax 115200"},
    {63, "BaudRateMax 230400"},
    {127, "BaudRateMax 460800"},
    {255, "BaudRateMax 921600"},
}};

template <size_t N>
std::string TextFor(const std::array<NamedValue, N>& table, int32_t value) {
  for (const NamedValue& entry : table) {
    if (entry.value == value)
      return entry.text;
  }
  return table.front().text;  // any other value reads as the first
}

constexpr double kTemperatureUnitsPerDegree = 128.0;

}  // namespace

std::string VideoModeName(int32_t mode) {
  return TextFor(kVideoModes, mode);
}

std::string BaudLimitText(int32_t mask) {
  return TextFor(kBaudLimits, mask);
}

std::string TemperatureText(int32_t reply) {
  char text[32];
  std::snprintf(text, sizeof text, "%0.2f", reply / kTemperatureUnitsPerDegree);
  return text;
}

bool RefreshVideoModeText(HandlerContext& context) {
  int32_t mode = 0;
  if (context.engine.GetValue(cmd::VSM, mode, kHandlerQueryMs) != Outcome::Done)
    return false;
  context.panel.ShowText(ctl::VideoModeText, VideoModeName(mode));
  return true;
}

bool RefreshBaudLimitText(HandlerContext& context) {
  int32_t mask = 0;
  if (context.engine.GetValue(cmd::SBDRT, mask, kHandlerQueryMs) != Outcome::Done)
    return false;
  context.panel.ShowText(ctl::BaudLimitText, BaudLimitText(mask));
  return true;
}

}  // namespace vistrel::ReadOuts
