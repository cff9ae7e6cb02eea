#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

// The text with every byte that is not printable ASCII written as \xNN, so that what a
// camera sends can never drive a terminal or garble a message box. For camera replies,
// which are ASCII.
std::string EscapeControls(std::string_view text);

// As EscapeControls for a message to the operator: line breaks, tabs and UTF-8 text beyond
// ASCII (file names, for example) stay as they are; C0 and C1 control characters and bytes
// that are no UTF-8 (a lone 0x9b, which a terminal takes for a control sequence) are escaped.
std::string EscapeControlsInMessage(std::string_view text);

// The length of the UTF-8 character at the start of `text` when it is a whole, well-formed
// one that is no C1 control (2 to 4); 0 otherwise.
size_t Utf8SequenceLength(std::string_view text);

// Whether a line read from a file holds a control character other than the tab, or a carriage
// return before its end: a NUL or a stray carriage return would cut or bend what the line
// says (12<NUL>8 must not be read as 128, PE=12<NUL>34 not as PE=12).
bool HasControlCharacter(std::string_view line);

}  // namespace vistrel
