#include "cli/TableCommands.h"

#include <ostream>
#include <string>

#include "core/CommandTable.h"
#include "core/ParameterTable.h"

namespace vistrel {
namespace {

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Integer:
      return "int";
    case ValueKind::Real:
      return "real";
    case ValueKind::Text:
      return "text";
  }
  return "?";
}

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Check:
      return "check";
    case ControlKind::Choice:
      return "choice";
    case ControlKind::Number:
      return "number";
    case ControlKind::Action:
      return "action";
  }
  return "?";
}

std::string CommandLabel(int commandId) {
  const std::string_view name = CommandTable::Name(commandId);
  if (!name.empty())
    return std::string(name);
  // Appended rather than "#" + text: GCC 12's optimiser warns wrongly (-Wrestrict) on that.
  std::string label = "#";
  label += std::to_string(commandId);
  return label;
}

}  // namespace

void PrintCommandTable(std::ostream& out) {
  for (int id = 0; id < CommandTable::kCount; ++id) {
    const CommandEntry& e = CommandTable::Entry(id);
    const std::string_view name = e.name;
    out << e.id << ' ' << (name.empty() ? "-" : name) << ' ' << KindName(e.kind) << ' '
        << e.decimals << '\n';
  }
}

void PrintParameterTable(std::ostream& out) {
  for (const ParameterEntry& row : InitialParameterRows()) {
    out << row.ctrlId << ' ' << CommandLabel(row.commandId) << ' ' << ControlKindName(row.kind)
        << ' ' << static_cast<int>(row.paramClass) << ' ' << row.minimum << ' ' << row.maximum
        << ' ' << row.value << ' ' << row.inFile << '\n';
  }
}

}  // namespace vistrel
