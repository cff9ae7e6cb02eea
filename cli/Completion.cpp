#include "cli/Completion.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <regex>
#include <set>

#include "camera/CameraModel.h"
#include "camera/MotorLens.h"
#include "camera/models/ControlFacts.h"
#include "cli/HelpFormatter.h"
#include "core/CommandTable.h"
#include "transport/ClSerialApi.h"

namespace vistrel {
namespace {

// Longest number range offered word by word (flash areas 0..3, not entries 1..128).
constexpr long kLongestListedRange = 16;

// The options of `app` the operator may type: its own and those of its option groups,
// without the hidden ones.
std::vector<const CLI::Option*> TypedOptions(const CLI::App& app) {
  std::vector<const CLI::Option*> options;
  for (const CLI::Option* opt : app.get_options()) {
    if (!opt->get_positional() && !opt->get_group().empty())
      options.push_back(opt);
  }
  for (const CLI::App* group : app.get_subcommands({})) {
    if (group->get_name().empty()) {
      for (const CLI::Option* opt : TypedOptions(*group)) {
        if (!IsHelpOption(*opt))
          options.push_back(opt);
      }
    }
  }
  return options;
}

const CLI::Option* FindOption(const CLI::App& app, const std::string& name) {
  for (const CLI::Option* opt : TypedOptions(app)) {
    if (opt->check_name(name))
      return opt;
  }
  return nullptr;
}

// Whether the option takes the next word as its value (--simulate takes it only after "=").
bool TakesNextWord(const CLI::Option& opt) {
  return opt.get_type_size() != 0 && opt.get_expected_min() > 0;
}

const CLI::App* FindSubcommand(const CLI::App& app, const std::string& name) {
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (!sub->get_name().empty() && sub->check_name(name))
      return sub;
  }
  return nullptr;
}

// The command names, or with `writable` those a setting may name.
std::vector<std::string> CommandNames(const char* suffix, bool writable) {
  std::set<std::string> names;
  for (int id = 0; id < CommandTable::kCount; ++id) {
    const std::string_view name = CommandTable::Name(id);
    // A name shared by two ids is read-only when its first id is.
    if (!name.empty() && !(writable && IsReadOnlyCommand(CommandTable::FindByName(name))))
      names.insert(std::string(name) + suffix);
  }
  return {names.begin(), names.end()};
}

// The words a check of the option allows, where it lists them ("{a,b}", "in [0 - 3]").
std::vector<std::string> CheckedWords(const CLI::Option& opt) {
  const std::string type = opt.get_type_name();
  std::smatch match;
  std::vector<std::string> words;
  if (std::regex_search(type, match, std::regex(R"(\{([^}]*)\})"))) {
    std::istringstream in(match[1].str());
    for (std::string word; std::getline(in, word, ',');)
      words.push_back(word.substr(0, word.find("->")));  // a choice mapped to its value
  } else if (std::regex_search(type, match, std::regex(R"(in \[(-?\d+) - (-?\d+)\])"))) {
    const long low = std::stol(match[1].str()), high = std::stol(match[2].str());
    for (long n = low; high - low <= kLongestListedRange && n <= high; ++n)
      words.push_back(std::to_string(n));
  }
  return words;
}

// What goes where the option's value (or the positional) stands, by the name of its value;
// `before` are the plain words given to the subcommand so far.
Completion ValuesOf(const CLI::Option& opt, const std::vector<std::string>& before = {}) {
  const std::string name = opt.get_positional() ? opt.get_name() : ValueName(opt);
  Completion c;
  if (name == "FILE" || name == "DEVICE") {
    c.kind = Completion::Kind::Files;
  } else if (name == "NAME") {
    c.words = CommandNames("", false);
  } else if (name == "NAME=VALUE") {
    c.words = CommandNames("=", true);
    c.noSpace = true;
  } else if (name.find("MODEL") != std::string::npos) {
    c.words = KnownModelNames();
  } else if (name == "RATE") {
    for (const ClBaudBit& entry : kClBaudBits)
      c.words.push_back(std::to_string(entry.rate));
  } else {
    c.words = CheckedWords(opt);
  }
  // A lens direction is one of the function typed before it.
  if (name == "DIRECTION" && !before.empty()) {
    std::erase_if(c.words,
                  [&](const std::string& word) { return !FindLensButton(before.front(), word); });
  }
  return c;
}

// The positional the next plain word fills, after `filled` plain words.
const CLI::Option* NextPositional(const CLI::App& app, size_t filled) {
  for (const CLI::Option* opt : app.get_options()) {
    if (!opt->get_positional())
      continue;
    const int most = opt->get_expected_max();
    if (most >= CLI::detail::expected_max_vector_size || filled < static_cast<size_t>(most))
      return opt;
    filled -= static_cast<size_t>(most);
  }
  return nullptr;
}

Completion Filtered(Completion c, const std::string& prefix) {
  std::erase_if(c.words, [&prefix](const std::string& w) { return !w.starts_with(prefix); });
  return c;
}

Completion OptionsAndWords(const CLI::App& app, const std::vector<std::string>& filled,
                           const std::string& cur) {
  Completion c;
  if (cur.starts_with("-")) {
    for (const CLI::Option* opt : TypedOptions(app)) {
      for (const std::string& name : opt->get_lnames())
        c.words.push_back("--" + name);
      for (const std::string& name : opt->get_snames())
        c.words.push_back("-" + name);
    }
    return Filtered(c, cur);
  }
  if (const CLI::Option* positional = NextPositional(app, filled.size()))
    c = ValuesOf(*positional, filled);
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (!sub->get_name().empty() && !sub->get_group().empty())
      c.words.push_back(sub->get_name());
  }
  return Filtered(c, cur);
}

}  // namespace

Completion Complete(const CLI::App& root, const std::vector<std::string>& typed) {
  const CLI::App* app = &root;
  std::vector<std::string> filled;  // the plain words given to the subcommand
  const std::string cur = typed.empty() ? "" : typed.back();
  for (size_t i = 0; i + 1 < typed.size(); ++i) {
    const std::string& word = typed[i];
    if (word.starts_with("-")) {
      const CLI::Option* opt = FindOption(*app, word);
      if (!opt)
        opt = FindOption(root, word);  // the options of a run stand anywhere
      if (opt && TakesNextWord(*opt) && ++i + 1 == typed.size())
        return Filtered(ValuesOf(*opt), cur);
    } else if (const CLI::App* sub = FindSubcommand(*app, word)) {
      app = sub;
      filled.clear();
    } else {
      filled.push_back(word);
    }
  }
  if (const size_t equals = cur.find('='); cur.starts_with("--") && equals != std::string::npos) {
    const std::string name = cur.substr(0, equals);
    const CLI::Option* opt = FindOption(*app, name);
    if (!opt)
      opt = FindOption(root, name);
    return opt ? Filtered(ValuesOf(*opt), cur.substr(equals + 1)) : Completion{};
  }
  return OptionsAndWords(*app, filled, cur);
}

void PrintCompletion(const Completion& completion, std::ostream& out) {
  if (completion.kind == Completion::Kind::Files)
    out << "files\n";
  else
    out << (completion.noSpace ? "words-nospace\n" : "words\n");
  for (const std::string& word : completion.words)
    out << word << '\n';
}

}  // namespace vistrel
