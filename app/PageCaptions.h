#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "camera/models/ControlCaptions.h"

class QWidget;

namespace vistrel {

class ParameterTable;

// The tooltip a control gets: the caption table's, else the command of its table row (or
// "id N" for a command without a name); empty when neither says anything.
std::string TooltipFor(int ctrlId, const std::map<int, Caption>& captions,
                       const ParameterTable& table);

// Writes the captions into the controls under `root`: into the caption "l<id>" beside a
// control, or, for a button or check box without one, into the control itself; and the
// tooltips into both.
void ApplyCaptions(QWidget* root, const std::map<int, Caption>& captions,
                   const ParameterTable& table);

// The tooltip of a control whose command has no name.
std::string NoCommandTooltip(int commandId);

// The tooltip of a number field: what it said before (its command), the range the connected
// model allows and the unit, where the program knows one.
std::string RangeTooltip(const std::string& base, int editId, int32_t minimum, int32_t maximum);

}  // namespace vistrel
