#pragma once

#include <string>
#include <string_view>

namespace vistrel {

// The text with every byte that is not printable ASCII written as \xNN, so that what a camera sends
// can never drive a terminal or garble a message box.
std::string EscapeControls(std::string_view text);

}  // namespace vistrel
