#include "cli/ManPage.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <sstream>
#include <string>

#include "cli/HelpFormatter.h"

namespace vistrel {
namespace {

// Text as roff reads it: a backslash is \e, a line starting with . or ' is no request, a
// hyphen in an option name is a real minus (so that it can be searched for and pasted).
std::string Roff(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\')
      out += "\\e";
    else if ((c == '.' || c == '\'') && (i == 0 || text[i - 1] == '\n'))
      out += std::string("\\&") + c;
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out;
}

void PrintOption(const CLI::Option& opt, std::ostream& out) {
  out << ".TP\n\\fB" << Roff(opt.get_name(false, true)) << "\\fR";
  if (const std::string value = ValueName(opt); !value.empty())
    out << (value.starts_with("[") ? "" : " ") << "\\fI" << Roff(value) << "\\fR";
  out << '\n' << Roff(opt.get_description()) << '\n';
}

// The options of `app` and its groups; the help options once, among the program's own.
void PrintOptions(const CLI::App& app, std::ostream& out) {
  const bool withHelp = app.get_parent() == nullptr;
  for (const CLI::Option* opt : app.get_options()) {
    if (!opt->get_positional() && !opt->get_group().empty() && (withHelp || !IsHelpOption(*opt)))
      PrintOption(*opt, out);
  }
  for (const CLI::App* group : app.get_subcommands({})) {
    if (group->get_name().empty()) {
      out << ".PP\n" << Roff(group->get_group() + ": " + group->get_description()) << '\n';
      PrintOptions(*group, out);
    }
  }
}

// The command line of the subcommand's example, taken from its help footer.
std::string ExampleOf(const CLI::App& sub) {
  std::istringstream in(sub.get_footer());
  std::string line;
  while (std::getline(in, line) && line != "Example:") {
  }
  return std::getline(in, line) ? line.substr(line.find_first_not_of(' ')) : "";
}

void PrintCommand(const CLI::App& sub, const std::string& parent, std::ostream& out) {
  const std::string name = parent.empty() ? sub.get_name() : parent + " " + sub.get_name();
  out << ".TP\n\\fB" << Roff(name) << "\\fR";
  for (const CLI::Option* opt : sub.get_options()) {
    if (opt->get_positional()) {
      const std::string usage =
          "\\fI" + Roff(opt->get_name()) + "\\fR" + (opt->get_expected_max() > 1 ? "..." : "");
      out << ' ' << (opt->get_required() ? usage : "[" + usage + "]");
    }
  }
  out << '\n' << Roff(sub.get_description()) << '\n';
  std::ostringstream options;
  PrintOptions(sub, options);
  if (!options.str().empty())
    out << ".RS\n" << options.str() << ".RE\n";
  if (const std::string example = ExampleOf(sub); !example.empty())
    out << ".IP\nExample:\n.EX\n" << Roff(example) << "\n.EE\n";
  for (const CLI::App* child : sub.get_subcommands({})) {
    if (!child->get_name().empty())
      PrintCommand(*child, name, out);
  }
}

}  // namespace

void PrintManSections(const CLI::App& app, std::ostream& out) {
  out << ".SH COMMANDS\n";
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (!sub->get_name().empty() && !sub->get_group().empty())
      PrintCommand(*sub, "", out);
  }
  out << ".SH OPTIONS\nThese options may stand before or after the subcommand.\n";
  PrintOptions(app, out);
}

}  // namespace vistrel
