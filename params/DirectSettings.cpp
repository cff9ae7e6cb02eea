#include "params/DirectSettings.h"

#include <array>

#include "core/CommandIds.h"
#include "core/ControlIds.h"
#include "core/WireFormat.h"
#include "params/Binning.h"
#include "params/HandlerSupport.h"
#include "params/IndividualGain.h"
#include "params/ReadOuts.h"

namespace vistrel::DirectSettings {

namespace {

enum class Value {
  One,           // always 1 (a button)
  AnyButFirst,   // 1 when an entry other than the first is selected, else 0
  BaudShift,     // 1 shifted left by the entry
  ItemValue,     // the value of the selected entry
  Entry,         // the selected entry
  EntryPlusOne,  // the selected entry + 1
};

enum class After { Nothing, GainMode, Binning, VideoModeText };

struct DirectSetting {
  int ctrlId;
  int commandId;
  Value value;
  After after;
};

constexpr std::array<DirectSetting, 18> kSettings = {{
    {2799, cmd::CR0, Value::One, After::Nothing},
    {2804, cmd::CR1, Value::One, After::Nothing},
    {2809, cmd::CR2, Value::One, After::Nothing},
    {2866, cmd::TimerReset, Value::One, After::Nothing},
    {2798, cmd::CE0, Value::AnyButFirst, After::Nothing},
    {2803, cmd::CE1, Value::AnyButFirst, After::Nothing},
    {2808, cmd::CE2, Value::AnyButFirst, After::Nothing},
    {2865, cmd::TimerEnable, Value::AnyButFirst, After::Nothing},
    {ctl::CameraBaud, cmd::FCBDRT, Value::BaudShift, After::Nothing},
    {2342, cmd::PGIN0, Value::ItemValue, After::Nothing},
    {2343, cmd::PGIN1, Value::ItemValue, After::Nothing},
    {2344, cmd::PGIN2, Value::ItemValue, After::Nothing},
    {2345, cmd::PGIN3, Value::ItemValue, After::Nothing},
    {ctl::IGM, cmd::IGM, Value::Entry, After::GainMode},
    {ctl::HB, cmd::HB, Value::EntryPlusOne, After::Binning},
    {ctl::VB, cmd::VB, Value::EntryPlusOne, After::Binning},
    {ctl::SQM, cmd::SQM, Value::Entry, After::VideoModeText},
    {ctl::SQSEL, cmd::SQSEL, Value::Entry, After::VideoModeText},
}};

constexpr int kBaudEntries = 8;

const DirectSetting* Find(int ctrlId) {
  for (const DirectSetting& setting : kSettings) {
    if (setting.ctrlId == ctrlId)
      return &setting;
  }
  return nullptr;
}

int32_t ValueOf(HandlerContext& context, const DirectSetting& setting) {
  const int entry = SelectionOf(context.panel, setting.ctrlId);
  switch (setting.value) {
    case Value::One:
      return 1;
    case Value::AnyButFirst:
      return entry != 0 ? 1 : 0;
    case Value::BaudShift:
      return CameraBaudValue(entry);
    case Value::ItemValue:
      return context.panel.ReadControlValue(setting.ctrlId).value_or(0);
    case Value::Entry:
      return entry;
    case Value::EntryPlusOne:
      return entry + 1;
  }
  return 0;
}

// "NAME=value" with the line end, through the engine, which refuses a line without a name.
Outcome Send(HandlerContext& context, int commandId, int32_t value) {
  const std::string line = Command::CommandName(commandId) + "=" + std::to_string(value) + kLineEnd;
  return context.engine.SendLine(line, kHandlerShortMs);
}

}  // namespace

bool Owns(int ctrlId) {
  return Find(ctrlId) != nullptr;
}

int32_t CameraBaudValue(int entry) {
  return entry >= 0 && entry < kBaudEntries ? int32_t{1} << entry : 1;
}

bool Run(HandlerContext& context, int ctrlId) {
  const DirectSetting* setting = Find(ctrlId);
  if (setting == nullptr)
    return false;
  const int32_t value = ValueOf(context, *setting);
  if (setting->after == After::GainMode)
    IndividualGain::BeforeSend(context, value);
  Send(context, setting->commandId, value);
  switch (setting->after) {
    case After::Nothing:
      break;
    case After::GainMode:
      IndividualGain::AfterSend(context, value);
      break;
    case After::Binning:
      Binning::AfterSend(context, ctrlId);
      break;
    case After::VideoModeText:
      ReadOuts::RefreshVideoModeText(context);
      break;
  }
  return true;
}

}  // namespace vistrel::DirectSettings
