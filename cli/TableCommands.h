#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <utility>

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

// The table's initial value of a row as its default: none for a button, nor for a number whose
// initial value lies outside the connected model's `range` (it is another model's limit there).
std::optional<int32_t> DefaultOf(int rowIndex, const ParameterEntry& row,
                                 const std::optional<std::pair<int32_t, int32_t>>& range);

// The members every listing of a table row carries besides its range: "caption" (where the
// pages have one), "default" (as DefaultOf gives it) and "readOnly".
void RowBasicsJson(JsonWriter& w, int rowIndex, const ParameterEntry& row,
                   const std::optional<std::pair<int32_t, int32_t>>& range);

// The name of a control kind ("check", "choice", "number", "action").
const char* ControlKindName(int kind);
// The name of a parameter class ("not-stored", "user", "factory").
const char* ClassName(ParamClass paramClass);

}  // namespace vistrel
