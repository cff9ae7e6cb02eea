#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/CommandValue.h"

namespace vistrel {

// The parsed form of one reply line.
struct ReplyFields {
  std::string raw;        // the line without blanks, CR and LF, case as received
  std::string name;       // upper-cased text before the separator
  std::string separator;  // "=" or "?"
  std::string value1;     // text after the separator, up to a comma
  std::string value2;     // text after the first comma (two values only)
  // Everything after the separator as the camera sent it: case and inner blanks kept,
  // blanks around it dropped. For showing a text value; comparisons use the fields above.
  std::string valueAsSent;
  int32_t valueCount = 0;
  int32_t commandId = -1;
  int32_t decimals = 0;
  int32_t index = 0;  // value1 by decimal conversion, only with two values
  int32_t failed = 1;
  // The value is not a clean value of the command's kind: a number with anything but blanks
  // around it, out of the 32-bit range, missing, or two numbers for a command that holds one
  // (see CarriesPair). `value` then holds only what the lenient reading makes of it and is
  // no data.
  bool garbled = false;
  CommandValue value;
};

// The numbers of a value text (one, or two separated by a comma) when each is a clean whole
// number (see StrictNumber); empty when any is not.
std::vector<int32_t> CleanNumbers(std::string_view text);

// Whether the command's lines may carry two numbers (a table entry: index and value, as the
// LUT and blemish tables have them). Every other command holds one value, and a reply with
// two numbers for it is garbled.
bool CarriesPair(int commandId);

// Parses a line of the form NAME=V, NAME=V1,V2, NAME? or NAME?ARG. True when it parsed and
// NAME is a known command.
bool ParseReply(std::string_view line, ReplyFields& fields);

}  // namespace vistrel
