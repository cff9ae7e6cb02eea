#pragma once

#include <iosfwd>

#include "core/ParameterTable.h"

namespace CLI {
class App;
}

namespace vistrel {

struct ChosenAction;

// `vistrelctl commands`: one line per command id, "ID NAME KIND DECIMALS"; with `json`, one
// object whose "commands" hold {id, name, kind, decimals} (name null for an id without one).
void PrintCommandTable(std::ostream& out, bool json);

// Adds `commands` and `params` (the start-up table, or the connected model's ranges when the
// run names a channel).
void AddTableCommands(CLI::App& app, ChosenAction& chosen);

class JsonWriter;

// The members every listing of a table row carries besides its range: "caption" (where the
// pages have one), "default" (the table's initial value; not for buttons) and "readOnly".
void RowBasicsJson(JsonWriter& w, int rowIndex, const ParameterEntry& row);

// The name of a control kind ("check", "choice", "number", "action").
const char* ControlKindName(int kind);
// The name of a parameter class ("not-stored", "user", "factory").
const char* ClassName(ParamClass paramClass);

}  // namespace vistrel
