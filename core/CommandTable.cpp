#include "core/CommandTable.h"

#include "core/CommandTableData.h"

namespace vistrel {

const CommandEntry& CommandTable::Entry(int id) {
  // An id outside the table gets an entry without a command rather than a stray read.
  static const CommandEntry kNoCommand{-1, "", ValueKind::Integer, 0};
  return IsValidId(id) ? kCommandEntries[id] : kNoCommand;
}

std::string_view CommandTable::Name(int id) {
  if (!IsValidId(id))
    return {};
  return kCommandEntries[id].name;
}

int CommandTable::FindByName(std::string_view name) {
  if (name.empty())
    return -1;
  for (int id = 0; id < kCount; ++id) {
    if (name == kCommandEntries[id].name)
      return id;
  }
  return -1;
}

int CommandTable::CountNamed() {
  int count = 0;
  for (const CommandEntry& entry : kCommandEntries) {
    if (entry.name[0] != '\0')
      ++count;
  }
  return count;
}

}  // namespace vistrel
