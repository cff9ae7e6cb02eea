#pragma once

#include <cstdint>
#include <string_view>

#include "core/CommandValue.h"

namespace vistrel {

// One command id: its name on the wire (empty when the id has no command), the kind of its
// value and, for Real values, the number of decimals.
struct CommandEntry {
  int32_t id;
  const char* name;
  ValueKind kind;
  int32_t decimals;
};

// The fixed table of the camera's commands, addressed by command id 0..660.
class CommandTable {
 public:
  static constexpr int kCount = 661;

  static bool IsValidId(int id) { return id >= 0 && id < kCount; }
  // The entry of a valid id (see IsValidId).
  static const CommandEntry& Entry(int id);
  // The command's name; empty for an id without a command or outside the table.
  static std::string_view Name(int id);
  // The lowest id whose name equals `name` exactly (case-sensitive), or -1.
  static int FindByName(std::string_view name);
  static int CountNamed();
};

}  // namespace vistrel
