#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vistrel {

// The hidden first argument that asks vistrelctl for the completions of a command line
// instead of running it; the shell completion scripts call it.
inline constexpr const char* kCompleteCommand = "__complete";

// What the shell offers for the word being typed.
struct Completion {
  enum class Kind { Words, Files };
  Kind kind = Kind::Words;
  bool noSpace = false;  // the word goes on (NAME= before its value)
  std::vector<std::string> words;
};

// The completions of the last of `typed` (the words after the program name, the last one
// the word being typed, "" for a new one), found from the options and subcommands defined on
// `app`. A word "--option=PART" completes the option's value; the words offered are then the
// values alone.
Completion Complete(const CLI::App& app, const std::vector<std::string>& typed);

// Prints a completion for the scripts: "files", "words" or "words-nospace" on the first line,
// then one word a line.
void PrintCompletion(const Completion& completion, std::ostream& out);

}  // namespace vistrel
