#include "cli/EntryCommands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "camera/EntryTables.h"
#include "camera/SequencerRules.h"
#include "camera/models/ModelCatalogue.h"
#include "cli/Cli.h"
#include "cli/CliSession.h"
#include "cli/CommandRegistry.h"
#include "cli/NumberArgument.h"
#include "core/CommandIds.h"
#include "core/ControlIds.h"

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

// The fields an operator gave, parsed and range-checked before anything is sent.
struct GivenFields {
  SequencerValues values;
  SequencerGiven given{};
};

// The entry as text lines, or into the JSON record as "entry" and "fields".
void PrintEntry(CliSession& s, int entry, const SequencerValues& values) {
  const auto fields = SequencerFields();
  if (s.Json())
    s.Record().Value("entry", entry).BeginObject("fields");
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!values[i])
      continue;
    if (s.Json())
      s.Record().Value(fields[i].name, static_cast<long long>(*values[i]));
    else
      s.Out() << fields[i].name << '=' << *values[i] << '\n';
  }
  if (s.Json())
    s.Record().EndObject();
}

// Empty when every assignment is a field with a whole number in its range; else the reason.
std::optional<std::string> ParseFields(const std::vector<std::string>& assignments,
                                       GivenFields& parsed) {
  for (const std::string& assignment : assignments) {
    const std::optional<Assignment> split = SplitAssignment(assignment);
    const SequencerField* field = split ? FindSequencerField(split->name) : nullptr;
    if (!field)
      return "not a sequencer field assignment: " + assignment;
    const std::optional<int32_t> value = ParseNumberArgument(split->value);
    if (!value)
      return "not a whole number: " + assignment;
    if (!InRange(*value, field->minimum, field->maximum))
      return std::string(field->name) + " is out of range " + std::to_string(field->minimum) +
             ".." + std::to_string(field->maximum);
    const auto i = static_cast<size_t>(field - SequencerFields().data());
    parsed.values[i] = *value;
    parsed.given[i] = true;
  }
  return std::nullopt;
}

// A field the connected model's entries do not have; nullptr when all of them are its.
const SequencerField* FieldNotOfModel(const CameraModel& model, const GivenFields& parsed) {
  const auto fields = SequencerFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (parsed.given[i] && !SequencerFieldShown(model, fields[i]))
      return &fields[i];
  }
  return nullptr;
}

// Whether the individual gain mode is on, asked only when a gain it fixes was given; a model
// without the mode has it off. Done unless the camera did not answer (then how the query ended).
Outcome ReadIndividualGain(CliSession& s, const GivenFields& parsed, bool& on) {
  on = false;
  const bool gainGiven =
      parsed.given[SequencerFieldIndex(ctl::SQGA)] || parsed.given[SequencerFieldIndex(ctl::SQGG)];
  if (!gainGiven || !ModelSupportsControl(s.Camera().Model().code, ctl::IGM))
    return Outcome::Done;
  int32_t mode = 0;
  const Outcome read = s.Engine().GetValue(cmd::IGM, mode, kEntryQueryMs);
  if (!Answered(read))
    return read;
  on = read == Outcome::Done && mode != 0;
  return Outcome::Done;
}

// Writes the entry checked, names every line the camera did not take, prints the entry as
// the camera then holds it.
int WriteEntry(CliSession& s, int entry, const SequencerValues& values) {
  const CameraModel& model = s.Camera().Model();
  std::vector<const SequencerField*> failed;
  const Outcome written = WriteSequencerEntry(s.Engine(), model, entry, values, failed);
  for (const SequencerField* field : failed) {
    const size_t i = static_cast<size_t>(field - SequencerFields().data());
    std::string line = SequencerSetting(field->name, entry, *values[i]);
    line.erase(line.find('\r'));
    s.Err() << "vistrelctl: the camera did not take " << line << '\n';
  }
  SequencerValues after;
  const Outcome read = ReadSequencerEntry(s.Engine(), model, entry, after);
  PrintEntry(s, entry, after);
  if (written != Outcome::Done) {
    s.Err() << "vistrelctl: entry " << entry << " is not as given (" << OutcomeText(written)
            << "); the lines above were not taken, check the camera and write them again\n";
    return s.StatusFor(written);
  }
  return s.StatusFor(read);
}

int RunSequencer(CliSession& s, const SequencerRequest& request) {
  if (!InRange(request.entry, kSequencerFirstEntry, kSequencerLastEntry))
    return Usage(s, "the entry is out of range " + std::to_string(kSequencerFirstEntry) + ".." +
                        std::to_string(kSequencerLastEntry));
  GivenFields parsed;
  if (const auto wrong = ParseFields(request.assignments, parsed))
    return Usage(s, *wrong);
  if (const int answers = s.CheckCameraAnswers(); answers != kExitOk)
    return answers;
  const CameraModel& model = s.Camera().Model();
  if (const SequencerField* field = FieldNotOfModel(model, parsed))
    return Usage(s, std::string(field->name) + " is not a field of the sequencer entries of " +
                        (model.name.empty() ? std::string("this model") : model.name));
  SequencerValues held;
  const Outcome read = ReadSequencerEntry(s.Engine(), model, request.entry, held);
  if (request.assignments.empty()) {
    PrintEntry(s, request.entry, held);
    return s.StatusFor(read);
  }
  // The fields not given keep the camera's values, so all of them must be known.
  bool individualGain = false;
  const Outcome failed =
      read != Outcome::Done ? read : ReadIndividualGain(s, parsed, individualGain);
  if (failed != Outcome::Done) {
    s.Err() << "vistrelctl: could not read entry " << request.entry << " (" << OutcomeText(failed)
            << "); nothing was written\n";
    return s.StatusFor(failed);
  }
  SequencerValues entry = held;
  for (size_t i = 0; i < entry.size(); ++i) {
    if (parsed.given[i])
      entry[i] = parsed.values[i];
  }
  const std::string broken = CheckSequencerEntry(model, individualGain, entry, parsed.given);
  if (!broken.empty())
    return Usage(s, broken + "; nothing was written");
  return WriteEntry(s, request.entry, entry);
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
    if (outcome == Outcome::Done && s.Json())
      s.Record().Value("name", table->key).Value("index", *index).Value("value", value);
    else if (outcome == Outcome::Done)
      s.Out() << value << '\n';
    return s.StatusFor(outcome);
  }
  const std::optional<int32_t> value = ParseNumberArgument(request.value);
  if (!value || !InRange(*value, table->valueMin, table->valueMax))
    return Usage(s, "the value of " + std::string(table->key) + " is a whole number " +
                        std::to_string(table->valueMin) + ".." + std::to_string(table->valueMax));
  return s.StatusFor(WriteTableEntry(s.Engine(), *table, *index, *value));
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
  return s.StatusFor(ClearBlemish(s.Engine(), *colour, *index));
}

int RunCounts(CliSession& s) {
  Outcome worst = Outcome::Done;
  if (s.Json())
    s.Record().BeginObject("counts");
  for (const CountReadout& readout : CountReadouts()) {
    int32_t value = 0;
    const Outcome outcome = ReadCount(s.Engine(), readout, value);
    if (outcome == Outcome::Done && s.Json()) {
      s.Record().Value(readout.name, value);
      continue;
    }
    if (outcome == Outcome::Done) {
      s.Out() << readout.name << '=' << value << '\n';
      continue;
    }
    if (s.Json())
      s.Record().Null(readout.name);
    s.Err() << "vistrelctl: " << readout.name << " not read (" << OutcomeText(outcome) << ")\n";
    if (worst == Outcome::Done || outcome == Outcome::ChannelLost ||
        (outcome == Outcome::NoReply && worst == Outcome::Refused))
      worst = outcome;
    if (outcome == Outcome::ChannelLost)
      break;
  }
  if (s.Json())
    s.Record().EndObject();
  return s.StatusFor(worst);
}

}  // namespace

void AddEntryCommands(CLI::App& app, ChosenAction& chosen) {
  auto seq = std::make_shared<SequencerRequest>();
  CLI::App* sequencer = AddCameraCommand(
      app, chosen,
      {"sequencer",
       "Write the given fields of sequencer entry N (the others keep the camera's values) and "
       "print the entry as the camera holds it, one NAME=value a line; without fields, only "
       "print it. Fields: SQF SQNI SQHB SQVB (binning 1 or 2) SQW SQH SQOX SQOY SQGA SQPE "
       "SQLUT SQBL, and on the RL models SQPER SQPEG SQPEB SQGR SQGG SQGB. The entry written "
       "keeps the region rules: widths and x offsets multiples of 16 (8 at horizontal binning "
       "2), heights and y offsets even, the region within the sensor divided by the binning, "
       "exposures at least 3 with binning 2, SQGA 100 under individual gain mode (SQGG 100 "
       "without it)",
       "vistrelctl --device /dev/ttyUSB0 sequencer 3 SQW=1024 SQH=768"},
      [seq](CliSession& s) { return RunSequencer(s, *seq); });
  sequencer->add_option("N", seq->entry, "entry 1..128")->required();
  sequencer->add_option("FIELD=VALUE", seq->assignments, "fields to write");
  AddJsonFlag(*sequencer, chosen, "\"entry\", \"fields\": {FIELD: value}");

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
  AddJsonFlag(*entrySub, chosen, "\"name\", \"index\", \"value\" (when read)");

  auto clear = std::make_shared<ClearRequest>();
  CLI::App* clearSub = AddCameraCommand(
      app, chosen,
      {"blemish-clear", "Clear one entry of a blemish table (white, red, green or blue)",
       "vistrelctl --device /dev/ttyUSB0 blemish-clear green 5"},
      [clear](CliSession& s) { return RunClear(s, *clear); });
  clearSub->add_option("COLOUR", clear->colour, "white, red, green or blue")->required();
  clearSub->add_option("INDEX", clear->index, "the entry's index")->required();

  CLI::App* counts =
      AddCameraCommand(app, chosen,
                       {"counts",
                        "Print the count read-outs (blemish counts, the current sequencer "
                        "entry), one NAME=value a line",
                        "vistrelctl --device /dev/ttyUSB0 counts"},
                       RunCounts);
  AddJsonFlag(*counts, chosen, "\"counts\": {NAME: value, null when not read}");
}

}  // namespace vistrel
