#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "camera/CameraModel.h"
#include "core/Command.h"
#include "core/Outcome.h"
#include "core/TimeLimits.h"

namespace vistrel {

// The camera's indexed tables: the sequencer entries (the index is part of the command
// name, SQW5?), and the pixel, LUT and position tables (the index is the first value,
// BMPXWG=5,100).

// How a sequencer field is shown on the page.
enum class SequencerFieldKind {
  Number,   // a number field
  Binning,  // a choice of binning 1 or 2: the camera's value is the position + 1
  Choice,   // a choice whose position is the camera's value
};

// A field of a sequencer entry: its control, command, the values the camera takes, and
// whether only the models with per-colour settings have it.
struct SequencerField {
  int ctrlId;
  const char* name;
  int32_t minimum;
  int32_t maximum;
  SequencerFieldKind kind;
  bool perColour;
};

inline constexpr int kSequencerFirstEntry = 1;
inline constexpr int kSequencerLastEntry = 128;
inline constexpr size_t kSequencerFieldCount = 18;
inline constexpr int kSequencerLineMs = limits::kShortReplyMs;
inline constexpr int kEntryQueryMs = limits::kReplyMs;

// The fields in the order in which an entry is written and read: the binning comes before
// the region measured in it.
std::span<const SequencerField> SequencerFields();
// The field with this command name (case-insensitive); nullptr when there is none.
const SequencerField* FindSequencerField(std::string_view name);
// The position of a field in SequencerFields(), by its control; kSequencerFieldCount when
// the control is no sequencer field.
size_t SequencerFieldIndex(int ctrlId);
// Whether the model's page shows the field (and so whether it is written and read).
bool SequencerFieldShown(const CameraModel& model, const SequencerField& field);

// The camera's values of an entry, by position in SequencerFields(); empty where unknown.
using SequencerValues = std::array<std::optional<int32_t>, kSequencerFieldCount>;

// "SQW5?\r\n" and "SQW5=1024\r\n".
std::string SequencerQuery(std::string_view name, int entry);
std::string SequencerSetting(std::string_view name, int entry, int32_t value);

// Reads the fields of entry `entry` that the model shows, in order; a field the camera does
// not answer stays empty. Done when every field was read; otherwise the weightiest failure.
// Gives up on a lost channel and on a camera that leaves several queries in a row
// unanswered.
Outcome ReadSequencerEntry(Command& engine, const CameraModel& model, int entry,
                           SequencerValues& values);
// Writes the fields of entry `entry` that hold a value and that the model shows, in order,
// each line on its own; a refused line does not stop the others. Done when the camera took
// every line; `failed` receives the fields whose line the camera refused or did not answer
// (with those given up on after the camera fell silent).
Outcome WriteSequencerEntry(Command& engine, const CameraModel& model, int entry,
                            const SequencerValues& values,
                            std::vector<const SequencerField*>& failed);

// A sequencer width or offset after the binning changed: halved for binning 2, doubled for
// binning 1. A height that would fall below 2 becomes 8.
int32_t RescaleForBinning(int32_t value, bool binningTwo, bool isHeight);

// A pixel, LUT or position table.
struct PixelTable {
  const char* key;  // the command name, or the table's name when the command has none
  int commandId;
  int indexCtrl;
  int valueCtrl;
  int queryButton;
  int writeButton;
  int writeMs;
  int32_t indexMin, indexMax;
  int32_t valueMin, valueMax;
};

std::span<const PixelTable> PixelTables();
const PixelTable* FindPixelTable(std::string_view key);
const PixelTable* PixelTableOfButton(int buttonId);

// "LUTR?12\r\n": the index as typed.
std::string TableQuery(int commandId, std::string_view indexText);
Outcome ReadTableEntry(Command& engine, int commandId, std::string_view indexText, int32_t& value);
// NAME=index,value.
Outcome WriteTableEntry(Command& engine, const PixelTable& table, int32_t index, int32_t value);

// A blemish colour: its clear command and its x and y tables.
struct BlemishColour {
  const char* colour;  // "white" (monochrome), "green", "blue", "red"
  int clearButton;
  int clearCommand;
  const PixelTable* x;
  const PixelTable* y;
  bool readBack;  // the x and y entries are read back after a clear
};
std::span<const BlemishColour> BlemishColours();
const BlemishColour* FindBlemishColour(std::string_view colour);
const BlemishColour* BlemishColourOfButton(int buttonId);
Outcome ClearBlemish(Command& engine, const BlemishColour& colour, int32_t index);

// A count read-out: the button, its command and the field it is shown in.
struct CountReadout {
  int button;
  int commandId;
  const char* name;
  int field;
};
inline constexpr int kCountQueryMs = limits::kQuickReplyMs;
std::span<const CountReadout> CountReadouts();
const CountReadout* CountReadoutOfButton(int buttonId);
Outcome ReadCount(Command& engine, const CountReadout& readout, int32_t& value);

// Switches the sensor multi-ROI mode (SMRMD) to the opposite of what the camera reports.
// `wanted` receives the mode sent; empty when the camera's mode could not be read and
// nothing was sent.
Outcome SwitchMultiRoi(Command& engine, std::optional<int32_t>& wanted);
// Reads the multi-ROI mode back after a switch.
Outcome ReadMultiRoiMode(Command& engine, int32_t& mode);

}  // namespace vistrel
