#pragma once

#include <string>
#include <vector>

#include "camera/models/ChoiceLists.h"
#include "core/CommandValue.h"

namespace vistrel {

class CliSession;

// One NAME=VALUE of a `set`: the command, the value as given and the value to send.
struct RequestedSetting {
  int id = -1;
  std::string name;  // as the command table spells it
  std::string text;  // the value as given
  CommandValue value;
};

// A setting the model does not allow: which one, what is wrong and what to give instead.
struct SettingRefusal {
  size_t index;  // in the settings checked
  std::string what;
  std::string advice;
};

// Turns each value into what is sent and checks it against the connected model's range or
// choice entries (a command the camera only reports takes no value), in the order given: a binning
// or gain mode set earlier in the call counts for the ranges after it. A choice may be given by its
// entry text. Reads from the camera only the modes the ranges of these settings depend on. kExitOk,
// or kExitUsage after naming the setting and what it may be; a failed read returns its status. With
// `refusals` every setting is checked: those not allowed are listed there (and count for no mode)
// and the call returns kExitOk unless a read failed.
int CheckSettings(CliSession& s, std::vector<RequestedSetting>& settings,
                  std::vector<SettingRefusal>* refusals = nullptr);

// "Low=0, High=1, ...": the entries of a choice with the values they stand for.
std::string EntryList(const std::vector<ChoiceItem>& entries);

}  // namespace vistrel
