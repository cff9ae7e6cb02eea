#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

namespace vistrel {

// Help in the operator's words: an option shows the name of the value it takes (N, FILE,
// MODEL), never the parser's types, checks or option relations; the channel choice is a
// group of its own under its description.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_option_opts(const CLI::Option* opt) const override;
  std::string make_description(const CLI::App* app) const override;
  std::string make_expanded(const CLI::App* sub) const override;
};

// The name of the value an option takes, as help shows it ("" for a flag).
std::string ValueName(const CLI::Option& opt);

// Whether the option is one of the help and version options every part of the program has.
bool IsHelpOption(const CLI::Option& opt);

// Sets the help formatter on `app` (its subcommands inherit it).
void UseHelpFormatter(CLI::App& app);

}  // namespace vistrel
