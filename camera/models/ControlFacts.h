#pragma once

#include <cstdint>
#include <optional>

namespace vistrel {

// Whether the camera only reports this command's value and takes none (a temperature, a
// status, a count, a version): a setting of it is never sent.
bool IsReadOnlyCommand(int commandId);

// The step a control's values always keep (an offset the camera takes only in multiples):
// vistrelctl describe gives it, the pages round an edit down to it. None where there is no
// step, or where it depends on another setting (the binning).
std::optional<int32_t> FixedStep(int ctrlId);

// What a control's number stands for, where the program knows it: a unit ("µs", "pixels",
// "lines") and the factor that turns the number into that quantity (a gain of 100 is 1.00).
struct ControlUnit {
  const char* unit;   // empty for a plain factor
  const char* scale;  // the factor as text ("0.01"), "1" when the number is the quantity
};
std::optional<ControlUnit> UnitOf(int ctrlId);

}  // namespace vistrel
