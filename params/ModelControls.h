#pragma once

#include <vector>

namespace vistrel {

class ParameterTable;

// Controls bound to a command id that has no name: nothing the operator does there can reach
// the camera. The index fields of the blemish tables are not among them: they only give the
// index sent with their table's named command. The position lists' buttons are.
struct NamelessControl {
  int ctrlId;
  int commandId;
};
std::vector<NamelessControl> ControlsWithoutCommand(const ParameterTable& table);

// Controls bound to a command that the read-all pass reads for some model but not for the
// model with `modelCode`: that camera answers the command with a refusal, so they are not
// offered. Buttons with a row go with the field of their command.
std::vector<int> ControlsLackingForModel(const ParameterTable& table, int modelCode);

}  // namespace vistrel
