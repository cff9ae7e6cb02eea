#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "camera/CameraModel.h"
#include "camera/EntryTables.h"

namespace vistrel {

// The rules a sequencer entry keeps, as the page adjusts its fields and as the command-line
// tool checks the entries it writes. Binning is the camera's value, 1 or 2 (anything else
// counts as 1).

// Heights and vertical offsets are even.
inline constexpr int32_t kSequencerLineStep = 2;
// Widths and horizontal offsets: multiples of 16 columns, of 8 under horizontal binning 2.
int32_t SequencerColumnStep(int32_t horizontalBinning);
// The largest multiple of `step` that is not above `value`.
int32_t RoundDownToStep(int32_t value, int32_t step);
// The columns (lines) an entry's region may span: the sensor's, divided by the binning.
int32_t SequencerColumnLimit(const CameraModel& model, int32_t horizontalBinning);
int32_t SequencerLineLimit(const CameraModel& model, int32_t verticalBinning);
// The shortest exposure of an entry: 3 when either binning is 2, else 1.
int32_t SequencerExposureMinimum(int32_t horizontalBinning, int32_t verticalBinning);
// The value a gain field is fixed at under the individual gain mode (the common gain while
// the mode is on, the green gain while it is off); empty when the field is free.
std::optional<int32_t> FixedSequencerGain(int ctrlId, bool individualGain);

// The fields an operator gave, by position in SequencerFields().
using SequencerGiven = std::array<bool, kSequencerFieldCount>;

// Checks an entry as it is to be written, against the rules that concern a given field (a
// binning given concerns the region and exposures measured in it); the camera's own values of
// the other fields are not questioned. Returns the broken rule for the operator, or an empty
// text when the entry keeps them all. Fields without a value are left out.
std::string CheckSequencerEntry(const CameraModel& model, bool individualGain,
                                const SequencerValues& entry, const SequencerGiven& given);

}  // namespace vistrel
