#include "cli/CommandRegistry.h"

#include <CLI/CLI.hpp>
#include <string>

namespace vistrel {

const char* ExitStatusHelp() {
  return "Exit statuses:\n"
         "  0  success\n"
         "  1  the camera refused or answered something else (its line on stderr); diff: the\n"
         "     camera differs; load --strict: a line was skipped or refused\n"
         "  2  usage error: unknown option, subcommand or command name, malformed value,\n"
         "     unusable file\n"
         "  3  no reply within the time limit, or the line hung up\n"
         "  4  the channel could not be opened\n"
         "  5  a file could not be written\n";
}

CLI::App* AddSubcommand(CLI::App& app, const CommandHelp& help) {
  CLI::App* sub = app.add_subcommand(help.name, help.description);
  sub->footer(std::string("Example:\n  ") + help.example + "\n\n" + ExitStatusHelp());
  return sub;
}

CLI::App* AddCameraCommand(CLI::App& app, ChosenAction& chosen, const CommandHelp& help,
                           std::function<int(CliSession&)> run) {
  CLI::App* sub = AddSubcommand(app, help);
  sub->callback([&chosen, run = std::move(run)] { chosen.onCamera = run; });
  return sub;
}

void AddOutputFile(CLI::App& sub, ChosenAction& chosen, std::shared_ptr<std::string> file) {
  sub.parse_complete_callback([&chosen, file = std::move(file)] { chosen.outputFile = file; });
}

void AddExpectModelOption(CLI::App& sub, ChosenAction& chosen) {
  sub.add_option_function<std::string>(
         "--expect-model", [&chosen](const std::string& model) { chosen.expectedModel = model; },
         "fail (exit 1) unless the camera reports this model, e.g. QX-70500C-VLNK")
      ->check(CLI::Validator(
          [](std::string& model) { return model.empty() ? std::string("an empty name") : ""; }, "",
          "not empty"));
}

void AddJsonFlag(CLI::App& sub, ChosenAction& chosen, const std::string& what) {
  sub.add_flag_callback(
      "--json", [&chosen] { chosen.json = true; },
      "print one JSON object: \"ok\", " + what +
          ", and on failure \"error\" (json-schema.md in " VISTREL_DOC_DIR ")");
}

}  // namespace vistrel
