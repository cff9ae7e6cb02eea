#pragma once

#include <iosfwd>

namespace CLI {
class App;
}

namespace vistrel {

// The hidden first argument that prints the COMMANDS and OPTIONS sections of the manual page
// (roff), made from the subcommands and options defined on the program.
inline constexpr const char* kManSectionsCommand = "__man";

void PrintManSections(const CLI::App& app, std::ostream& out);

}  // namespace vistrel
