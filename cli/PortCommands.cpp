#include "cli/PortCommands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/Json.h"
#include "cli/PortRows.h"

namespace vistrel {

namespace {

constexpr char kNone = '-';

// A text that may be unknown: null when it is.
std::string JsonOptional(const std::string& text) {
  return text.empty() ? "null" : JsonString(text);
}

void PrintJson(std::ostream& out, const std::vector<PortRow>& rows) {
  out << "{\"ports\":[";
  for (size_t i = 0; i < rows.size(); ++i) {
    const PortRow& r = rows[i];
    out << (i == 0 ? "" : ",") << "\n  {\"kind\":" << JsonString(r.kind)
        << ",\"index\":" << (r.index < 0 ? std::string("null") : std::to_string(r.index))
        << ",\"name\":" << JsonString(r.name) << ",\"device\":" << JsonOptional(r.device)
        << ",\"exists\":"
        << (r.kind == kNetworkKind ? "null"
            : r.exists             ? "true"
                                   : "false")
        << ",\"byId\":" << JsonOptional(r.byId) << ",\"adapter\":" << JsonOptional(r.adapter)
        << ",\"chosen\":" << (r.chosen ? "true" : "false") << '}';
  }
  out << "\n]}\n";
}

std::string Field(const std::string& text) {
  return text.empty() ? std::string(1, kNone) : text;
}

// A network port is not looked for: whether its server answers shows when it is opened.
const char* State(const PortRow& row) {
  if (row.kind == kNetworkKind)
    return "-";
  return row.exists ? "present" : "absent";
}

void PrintTable(std::ostream& out, const std::vector<PortRow>& rows) {
  out << "KIND\tINDEX\tNAME\tDEVICE\tSTATE\tBY-ID\tADAPTER\tCHOSEN\n";
  for (const PortRow& r : rows) {
    out << r.kind << '\t' << (r.index < 0 ? std::string(1, kNone) : std::to_string(r.index)) << '\t'
        << r.name << '\t' << Field(r.device) << '\t' << State(r) << '\t' << Field(r.byId) << '\t'
        << Field(r.adapter) << '\t' << (r.chosen ? "*" : "") << '\n';
  }
}

}  // namespace

void AddPortCommands(CLI::App& app, ChosenAction& chosen) {
  struct Flags {
    bool all = false;
    bool json = false;
  };
  auto flags = std::make_shared<Flags>();
  auto* ports = AddSubcommand(
      app, {"ports", "List the ports that exist: COM names, serial adapters, Camera Link ports",
            "vistrelctl ports --all"});
  ports->add_flag("--all", flags->all, "also the COM names whose device is not there");
  ports->add_flag("--json", flags->json, "one JSON object (keys in the README)");
  ports->callback([&chosen, flags] {
    chosen.unopened = [flags](CliSession& s) {
      const std::vector<PortRow> rows =
          CollectPortRows(s.Channel(), s.Settings().Folder(), DeviceTree{}, flags->all);
      if (flags->json)
        PrintJson(s.Out(), rows);
      else
        PrintTable(s.Out(), rows);
      return static_cast<int>(kExitOk);
    };
  });
}

}  // namespace vistrel
