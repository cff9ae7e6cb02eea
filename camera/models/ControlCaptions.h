#pragma once

#include <map>
#include <string>
#include <string_view>

namespace vistrel {

// What the pages call a control and what its tooltip adds.
struct Caption {
  std::string text;
  std::string tooltip;  // empty: the command of the control's table row
};

// The captions kept beside the model catalogue (Captions.tsv): one line per control,
// "id<TAB>caption" with an optional "<TAB>tooltip"; empty lines and lines starting with '#' are
// skipped. A line that does not start with a control id, or has no caption, is left out.
std::map<int, Caption> ParseCaptions(std::string_view text);

// The captions built into the program, by control id; the desktop program's pages and
// vistrelctl's control listings show the same ones.
const std::map<int, Caption>& ControlCaptions();

// The caption of a control; empty when it has none.
std::string CaptionOf(int ctrlId);

}  // namespace vistrel
