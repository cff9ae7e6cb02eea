#pragma once

#include <iosfwd>

namespace vistrel {

// `vistrelctl commands`: one line per command id, "ID NAME KIND DECIMALS".
void PrintCommandTable(std::ostream& out);
// `vistrelctl params`: one line per parameter row, "CTRL COMMAND KIND CLASS MIN MAX INITIAL
// INFILE".
void PrintParameterTable(std::ostream& out);

}  // namespace vistrel
