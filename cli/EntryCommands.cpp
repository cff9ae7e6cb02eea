#include "cli/EntryCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "camera/EntryTables.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/NumberArgument.h"

namespace vistrel {
namespace {

int Usage(CliSession& s, const std::string& text) {
  s.Err() << "vistrelctl: " << text << "\nRun with --help for usage.\n";
  return kExitUsage;
}

bool InRange(int64_t value, int32_t minimum, int32_t maximum) {
  return value >= minimum && value <= maximum;
}

// `sequencer N [FIELD=VALUE ...]`
struct SequencerRequest {
  int entry = 0;
  std::vector<std::string> assignments;
};

void PrintEntry(CliSession& s, const SequencerValues& values) {
  const auto fields = SequencerFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (values[i])
      s.Out() << fields[i].name << '=' << *values[i] << '\n';
  }
}

int RunSequencer(CliSession& s, const SequencerRequest& request) {
  if (!InRange(request.entry, kSequencerFirstEntry, kSequencerLastEntry))
    return Usage(s, "the entry is out of range " + std::to_string(kSequencerFirstEntry) + ".." +
                        std::to_string(kSequencerLastEntry));
  SequencerValues given;
  for (const std::string& assignment : request.assignments) {
    const std::optional<Assignment> split = SplitAssignment(assignment);
    const SequencerField* field = split ? FindSequencerField(split->name) : nullptr;
    if (!field)
      return Usage(s, "not a sequencer field assignment: " + assignment);
    const std::optional<int32_t> value = ParseNumberArgument(split->value);
    if (!value)
      return Usage(s, "not a whole number: " + assignment);
    if (!InRange(*value, field->minimum, field->maximum))
      return Usage(s, std::string(field->name) + " is out of range " +
                          std::to_string(field->minimum) + ".." + std::to_string(field->maximum));
    given[static_cast<size_t>(field - SequencerFields().data())] = *value;
  }
  SequencerValues held;
  Outcome read = ReadSequencerEntry(s.Engine(), request.entry, held);
  if (request.assignments.empty()) {
    PrintEntry(s, held);
    return ExitStatusFor(read);
  }
  // The fields not given keep the camera's values, so all of them must be known.
  if (read != Outcome::Done) {
    s.Err() << "vistrelctl: could not read entry " << request.entry << " (" << OutcomeText(read)
            << "); nothing was written\n";
    return ExitStatusFor(read);
  }
  std::array<int32_t, kSequencerFieldCount> values{};
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = given[i] ? *given[i] : *held[i];
  const Outcome written = WriteSequencerEntry(s.Engine(), request.entry, values);
  SequencerValues after;
  read = ReadSequencerEntry(s.Engine(), request.entry, after);
  PrintEntry(s, after);
  if (written != Outcome::Done) {
    s.Err() << "vistrelctl: the camera did not take every field (" << OutcomeText(written) << ")\n";
    return ExitStatusFor(written);
  }
  return ExitStatusFor(read);
}

// `entry NAME INDEX [VALUE]`
struct EntryRequest {
  std::string name;
  std::string index;
  std::string value;
};

int RunEntry(CliSession& s, const EntryRequest& request) {
  const PixelTable* table = FindPixelTable(request.name);
  // The position lists have no command of their own to name.
  if (!table || Command::CommandName(table->commandId).empty())
    return Usage(s, "not a table: " + request.name);
  const std::optional<int32_t> index = ParseNumberArgument(request.index);
  if (!index || !InRange(*index, table->indexMin, table->indexMax))
    return Usage(s, "the index of " + std::string(table->key) + " is a whole number " +
                        std::to_string(table->indexMin) + ".." + std::to_string(table->indexMax));
  if (request.value.empty()) {
    int32_t value = 0;
    const Outcome outcome =
        ReadTableEntry(s.Engine(), table->commandId, std::to_string(*index), value);
    if (outcome == Outcome::Done)
      s.Out() << value << '\n';
    return ExitStatusFor(outcome);
  }
  const std::optional<int32_t> value = ParseNumberArgument(request.value);
  if (!value || !InRange(*value, table->valueMin, table->valueMax))
    return Usage(s, "the value of " + std::string(table->key) + " is a whole number " +
                        std::to_string(table->valueMin) + ".." + std::to_string(table->valueMax));
  return ExitStatusFor(WriteTableEntry(s.Engine(), *table, *index, *value));
}

// `blemish-clear COLOUR INDEX`
struct ClearRequest {
  std::string colour;
  std::string index;
};

int RunClear(CliSession& s, const ClearRequest& request) {
  const BlemishColour* colour = FindBlemishColour(request.colour);
  if (!colour)
    return Usage(s, "not a blemish colour: " + request.colour);
  const std::optional<int32_t> index = ParseNumberArgument(request.index);
  if (!index || !InRange(*index, colour->x->indexMin, colour->x->indexMax))
    return Usage(s, "the index is a whole number " + std::to_string(colour->x->indexMin) + ".." +
                        std::to_string(colour->x->indexMax));
  return ExitStatusFor(ClearBlemish(s.Engine(), *colour, *index));
}

int RunCounts(CliSession& s) {
  Outcome worst = Outcome::Done;
  for (const CountReadout& readout : CountReadouts()) {
    int32_t value = 0;
    const Outcome outcome = ReadCount(s.Engine(), readout, value);
    if (outcome == Outcome::Done) {
      s.Out() << readout.name << '=' << value << '\n';
      continue;
    }
    s.Err() << "vistrelctl: " << readout.name << " not read (" << OutcomeText(outcome) << ")\n";
    if (worst == Outcome::Done || outcome == Outcome::ChannelLost ||
        (outcome == Outcome::NoReply && worst == Outcome::Refused))
      worst = outcome;
    if (outcome == Outcome::ChannelLost)
      break;
  }
  return ExitStatusFor(worst);
}

}  // namespace

void AddEntryCommands(CLI::App& app, ChosenAction& chosen) {
  auto seq = std::make_shared<SequencerRequest>();
  CLI::App* sequencer = AddCameraCommand(
      app, chosen,
      {"sequencer",
       "Write the given fields of sequencer entry N (the others keep the camera's values) and "
       "print the entry as the camera holds it, one NAME=value a line; without fields, only "
       "print it. Fields: SQF SQNI SQW SQH SQOX SQOY SQGA SQPE SQLUT SQBL",
       "vistrelctl --device /dev/ttyUSB0 sequencer 3 SQW=1024 SQH=768"},
      [seq](CliSession& s) { return RunSequencer(s, *seq); });
  sequencer->add_option("N", seq->entry, "entry 1..128")->required();
  sequencer->add_option("FIELD=VALUE", seq->assignments, "fields to write");

  auto entry = std::make_shared<EntryRequest>();
  CLI::App* entrySub = AddCameraCommand(
      app, chosen,
      {"entry",
       "Read (without VALUE) or write one entry of a pixel or LUT table: BMPXW BMPYW BMPXWG "
       "BMPYWG BMPXWB BMPYWB BMPXWR BMPYWR LUTR LUTG LUTB",
       "vistrelctl --device /dev/ttyUSB0 entry BMPXWG 5 100"},
      [entry](CliSession& s) { return RunEntry(s, *entry); });
  entrySub->add_option("NAME", entry->name, "the table's command")->required();
  entrySub->add_option("INDEX", entry->index, "the entry's index")->required();
  entrySub->add_option("VALUE", entry->value, "the value to write");

  auto clear = std::make_shared<ClearRequest>();
  CLI::App* clearSub = AddCameraCommand(
      app, chosen,
      {"blemish-clear", "Clear one entry of a blemish table (white, red, green or blue)",
       "vistrelctl --device /dev/ttyUSB0 blemish-clear green 5"},
      [clear](CliSession& s) { return RunClear(s, *clear); });
  clearSub->add_option("COLOUR", clear->colour, "white, red, green or blue")->required();
  clearSub->add_option("INDEX", clear->index, "the entry's index")->required();

  AddCameraCommand(app, chosen,
                   {"counts",
                    "Print the count read-outs (blemish counts, the current sequencer entry), "
                    "one NAME=value a line",
                    "vistrelctl --device /dev/ttyUSB0 counts"},
                   [](CliSession& s) { return RunCounts(s); });
}

}  // namespace vistrel
