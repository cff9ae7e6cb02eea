#pragma once

namespace vistrel {

// Whether a model (code 0..4) supports the parameter of a control; code 4 supports all.
bool ModelSupportsControl(int modelCode, int ctrlId);
// Commands the monochrome model does not have (the colour sequencer gains, 540..542).
bool ExcludedForMonochrome(int commandId);

}  // namespace vistrel
