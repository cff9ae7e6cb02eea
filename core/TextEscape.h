#pragma once

#include <string>
#include <string_view>

namespace vistrel {

// The text with every byte that is not printable ASCII written as \xNN, so that what a
// camera sends can never drive a terminal or garble a message box. For camera replies,
// which are ASCII.
std::string EscapeControls(std::string_view text);

// As EscapeControls for a message to the operator: line breaks, tabs and text beyond ASCII
// (file names, for example) stay as they are; only control characters are escaped.
std::string EscapeControlsInMessage(std::string_view text);

// Whether a line read from a file holds a control character other than the tab, or a carriage
// return before its end: a NUL or a stray carriage return would cut or bend what the line
// says (12<NUL>8 must not be read as 128, PE=12<NUL>34 not as PE=12).
bool HasControlCharacter(std::string_view line);

}  // namespace vistrel
