#include "cli/HelpFormatter.h"

#include <sstream>

namespace vistrel {

std::string ValueName(const CLI::Option& opt) {
  if (opt.get_type_size() == 0)
    return "";
  // The type name ends where the descriptions of its checks begin ("INT:INT in [1 - 60000]").
  std::string name = opt.get_type_name();
  name = name.substr(0, name.find(':'));
  if (name == "INT" || name == "UINT")
    return "N";
  return name;
}

bool IsHelpOption(const CLI::Option& opt) {
  return opt.check_name("--help") || opt.check_name("--help-all") || opt.check_name("--version");
}

std::string HelpFormatter::make_option_opts(const CLI::Option* opt) const {
  if (opt->get_positional())
    return "";
  const std::string name = ValueName(*opt);
  if (name.empty())
    return "";
  return name.starts_with("[") ? name : " " + name;
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
  const std::string& text = app->get_description();
  return text.empty() ? std::string() : text + "\n";
}

std::string HelpFormatter::make_expanded(const CLI::App* sub) const {
  if (!sub->get_name().empty())
    return CLI::Formatter::make_expanded(sub);
  // An option group: its name and description, then its options as the others show.
  std::ostringstream out;
  out << sub->get_group() << ": " << sub->get_description() << '\n';
  for (const CLI::Option* opt : sub->get_options()) {
    if (!opt->get_group().empty() && !IsHelpOption(*opt))
      out << make_option(opt, false);
  }
  return out.str();
}

void UseHelpFormatter(CLI::App& app) {
  app.formatter(std::make_shared<HelpFormatter>());
}

}  // namespace vistrel
