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
void OptionalText(JsonWriter& w, const char* key, const std::string& text) {
  if (text.empty())
    w.Null(key);
  else
    w.Value(key, text);
}

void PrintJson(JsonWriter& w, const std::vector<PortRow>& rows) {
  w.BeginArray("ports");
  for (const PortRow& r : rows) {
    w.BeginObject().Value("kind", r.kind);
    if (r.index < 0)
      w.Null("index");
    else
      w.Value("index", r.index);
    w.Value("name", r.name);
    OptionalText(w, "device", r.device);
    if (r.kind == kNetworkKind)
      w.Null("exists");
    else
      w.Value("exists", r.exists);
    OptionalText(w, "byId", r.byId);
    OptionalText(w, "adapter", r.adapter);
    w.Value("chosen", r.chosen).EndObject();
  }
  w.EndArray();
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
  };
  auto flags = std::make_shared<Flags>();
  auto* ports = AddSubcommand(
      app, {"ports", "List the ports that exist: COM names, serial adapters, Camera Link ports",
            "vistrelctl ports --all"});
  ports->add_flag("--all", flags->all, "also the COM names whose device is not there");
  AddJsonFlag(*ports, chosen, "\"ports\": [{kind, index, name, device, ...}]");
  ports->callback([&chosen, flags] {
    chosen.unopened = [flags](CliSession& s) {
      const std::vector<PortRow> rows =
          CollectPortRows(s.Channel(), s.Settings().Folder(), DeviceTree{}, flags->all);
      if (s.Json())
        PrintJson(s.Record(), rows);
      else
        PrintTable(s.Out(), rows);
      return static_cast<int>(kExitOk);
    };
  });
}

}  // namespace vistrel
