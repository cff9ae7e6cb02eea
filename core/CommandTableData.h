#pragma once

#include "core/CommandTable.h"

namespace vistrel {

// The entries of the command table, indexed by command id.
extern const CommandEntry kCommandEntries[CommandTable::kCount];

}  // namespace vistrel
