#include "camera/EntryTables.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

#include "camera/PassOutcome.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

namespace {

constexpr const char* kLineEnd = "\r\n";

using Kind = SequencerFieldKind;

constexpr SequencerField kSequencerFields[] = {
    {2769, "SQF", 1, 255, Kind::Number, false},
    {2771, "SQNI", 1, 128, Kind::Number, false},
    {2785, "SQHB", 1, 2, Kind::Binning, false},
    {2786, "SQVB", 1, 2, Kind::Binning, false},
    {2773, "SQW", 96, 4112, Kind::Number, false},
    {2775, "SQH", 8, 3008, Kind::Number, false},
    {2777, "SQOX", 0, 4016, Kind::Number, false},
    {2779, "SQOY", 0, 3000, Kind::Number, false},
    {2781, "SQGA", 100, 1600, Kind::Number, false},
    {2783, "SQPE", 1, 8000000, Kind::Number, false},
    {5131, "SQPER", 1, 8000000, Kind::Number, true},
    {5133, "SQPEG", 1, 8000000, Kind::Number, true},
    {5135, "SQPEB", 1, 8000000, Kind::Number, true},
    {2790, "SQGR", 44, 562, Kind::Number, true},
    {5137, "SQGG", 100, 6400, Kind::Number, true},
    {2792, "SQGB", 44, 562, Kind::Number, true},
    {2787, "SQLUT", 0, 255, Kind::Choice, false},
    {2788, "SQBL", -133, 255, Kind::Number, false},
};
static_assert(std::size(kSequencerFields) == kSequencerFieldCount);

constexpr int kBlemishMs = limits::kBlemishEntryMs;
constexpr int kLutMs = limits::kShortReplyMs;
constexpr int32_t kBlemishMaxX = 2559;
constexpr int32_t kBlemishMaxY = 2047;
constexpr int32_t kLutLastIndex = 256;
constexpr int32_t kLutMaxLevel = 4095;

// key, command id, index field, value field, query button, write button, time limit, index
// range, value range. The position lists have commands without a name; their values are
// sent as typed.
constexpr PixelTable kPixelTables[] = {
    {"BMPXW", 150, 1417, 1424, 1512, 1430, kBlemishMs, 1, 800, -1, kBlemishMaxX},
    {"BMPYW", 151, 1417, 1438, 1513, 1431, kBlemishMs, 1, 800, -1, kBlemishMaxY},
    {"BMPXWG", 162, 1423, 1427, 1515, 1433, kBlemishMs, 1, 200, -1, kBlemishMaxX},
    {"BMPYWG", 163, 1423, 1441, 1517, 1437, kBlemishMs, 1, 200, -1, kBlemishMaxY},
    {"BMPXWB", 168, 1456, 1449, 1519, 1453, kBlemishMs, 1, 200, -1, kBlemishMaxX},
    {"BMPYWB", 169, 1456, 1460, 1521, 1464, kBlemishMs, 1, 200, -1, kBlemishMaxY},
    {"LUTR", 131, 2515, 2517, 2519, 2520, kLutMs, 0, kLutLastIndex, 0, kLutMaxLevel},
    {"LUTG", 132, 2521, 2523, 2525, 2526, kLutMs, 0, kLutLastIndex, 0, kLutMaxLevel},
    {"LUTB", 133, 2527, 2529, 2531, 2532, kLutMs, 0, kLutLastIndex, 0, kLutMaxLevel},
    {"position1", 399, 1452, 1457, 1522, 1520, kBlemishMs, INT32_MIN, INT32_MAX, INT32_MIN,
     INT32_MAX},
    {"position2", 400, 1461, 1465, 1524, 1523, kBlemishMs, INT32_MIN, INT32_MAX, INT32_MIN,
     INT32_MAX},
    {"position3", 403, 2554, 2556, 2559, 2558, kBlemishMs, INT32_MIN, INT32_MAX, INT32_MIN,
     INT32_MAX},
    {"position4", 404, 2560, 2562, 2565, 2564, kBlemishMs, INT32_MIN, INT32_MAX, INT32_MIN,
     INT32_MAX},
    // The red tables of the colour models have no controls on the pages.
    {"BMPXWR", 156, 0, 0, 0, 0, kBlemishMs, 1, 200, -1, kBlemishMaxX},
    {"BMPYWR", 157, 0, 0, 0, 0, kBlemishMs, 1, 200, -1, kBlemishMaxY},
};

constexpr BlemishColour kBlemishColours[] = {
    {"white", 2870, 148, &kPixelTables[0], &kPixelTables[1], false},  // BMCLR
    {"green", 2871, 160, &kPixelTables[2], &kPixelTables[3], true},   // BMCLRG
    {"blue", 2872, 166, &kPixelTables[4], &kPixelTables[5], true},    // BMCLRB
    {"red", 0, 154, &kPixelTables[13], &kPixelTables[14], true},      // BMCLRR
};

constexpr CountReadout kCountReadouts[] = {
    {2577, 152, "BNUM", 2579},  {2581, 164, "BNUMG", 2583},  {2585, 170, "BNUMB", 2588},
    {2580, 522, "FBNUM", 2582}, {2584, 523, "FBBNUM", 2586}, {2566, 371, "SQIDX", 2567},
};

constexpr int kMultiRoiReadMs = limits::kShortReplyMs;
constexpr int kMultiRoiShowMs = limits::kQuickReplyMs;

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

template <typename Row, typename Pred>
const Row* FindRow(std::span<const Row> rows, Pred pred) {
  const auto it = std::ranges::find_if(rows, pred);
  return it == rows.end() ? nullptr : &*it;
}

}  // namespace

std::span<const SequencerField> SequencerFields() {
  return kSequencerFields;
}

const SequencerField* FindSequencerField(std::string_view name) {
  return FindRow(SequencerFields(),
                 [name](const SequencerField& f) { return SameName(f.name, name); });
}

size_t SequencerFieldIndex(int ctrlId) {
  const auto it = std::ranges::find(kSequencerFields, ctrlId, &SequencerField::ctrlId);
  return static_cast<size_t>(it - std::begin(kSequencerFields));
}

bool SequencerFieldShown(const CameraModel& model, const SequencerField& field) {
  return !field.perColour || model.IsRlFamily();
}

std::string SequencerQuery(std::string_view name, int entry) {
  return std::string(name) + std::to_string(entry) + "?" + kLineEnd;
}

std::string SequencerSetting(std::string_view name, int entry, int32_t value) {
  return std::string(name) + std::to_string(entry) + "=" + std::to_string(value) + kLineEnd;
}

Outcome ReadSequencerEntry(Command& engine, const CameraModel& model, int entry,
                           SequencerValues& values) {
  PassOutcome pass;
  for (size_t i = 0; i < kSequencerFieldCount && !pass.GivenUp(); ++i) {
    const SequencerField& field = kSequencerFields[i];
    if (!SequencerFieldShown(model, field))
      continue;
    int32_t value = 0;
    const Outcome read =
        engine.QueryRaw(value, SequencerQuery(field.name, entry), kEntryQueryMs, true);
    if (read == Outcome::Done) {
      values[i] = value;
      pass.NoteSuccess();
    } else {
      pass.NoteFailure(engine, read);
    }
  }
  return pass.Result();
}

Outcome WriteSequencerEntry(Command& engine, const CameraModel& model, int entry,
                            const SequencerValues& values,
                            std::vector<const SequencerField*>& failed) {
  failed.clear();
  PassOutcome pass;
  for (size_t i = 0; i < kSequencerFieldCount; ++i) {
    const SequencerField& field = kSequencerFields[i];
    if (!values[i] || !SequencerFieldShown(model, field))
      continue;
    if (pass.GivenUp()) {
      failed.push_back(&field);  // not sent: the camera stopped answering
      continue;
    }
    const Outcome sent =
        engine.SendLine(SequencerSetting(field.name, entry, *values[i]), kSequencerLineMs);
    if (sent == Outcome::Done) {
      pass.NoteSuccess();
    } else {
      pass.NoteFailure(engine, sent);
      failed.push_back(&field);
    }
  }
  return pass.Result();
}

int32_t RescaleForBinning(int32_t value, bool binningTwo, bool isHeight) {
  constexpr int32_t kSmallestHeight = 2;
  constexpr int32_t kHeightFloor = 8;
  const int64_t scaled = binningTwo ? value / 2 : static_cast<int64_t>(value) * 2;
  if (isHeight && scaled < kSmallestHeight)
    return kHeightFloor;
  return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

std::span<const PixelTable> PixelTables() {
  return kPixelTables;
}

const PixelTable* FindPixelTable(std::string_view key) {
  return FindRow(PixelTables(), [key](const PixelTable& t) { return SameName(t.key, key); });
}

const PixelTable* PixelTableOfButton(int buttonId) {
  if (buttonId == 0)
    return nullptr;
  return FindRow(PixelTables(), [buttonId](const PixelTable& t) {
    return t.queryButton == buttonId || t.writeButton == buttonId;
  });
}

std::string TableQuery(int commandId, std::string_view indexText) {
  return Command::CommandName(commandId) + "?" + std::string(indexText) + kLineEnd;
}

Outcome ReadTableEntry(Command& engine, int commandId, std::string_view indexText, int32_t& value) {
  int32_t read = 0;
  const Outcome outcome =
      engine.QueryRaw(read, TableQuery(commandId, indexText), kEntryQueryMs, true);
  if (outcome == Outcome::Done)
    value = read;
  return outcome;
}

Outcome WriteTableEntry(Command& engine, const PixelTable& table, int32_t index, int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d", index, value);
  return engine.SetText(table.commandId, text, table.writeMs);
}

std::span<const BlemishColour> BlemishColours() {
  return kBlemishColours;
}

const BlemishColour* FindBlemishColour(std::string_view colour) {
  return FindRow(BlemishColours(),
                 [colour](const BlemishColour& c) { return SameName(c.colour, colour); });
}

const BlemishColour* BlemishColourOfButton(int buttonId) {
  if (buttonId == 0)
    return nullptr;
  return FindRow(BlemishColours(),
                 [buttonId](const BlemishColour& c) { return c.clearButton == buttonId; });
}

Outcome ClearBlemish(Command& engine, const BlemishColour& colour, int32_t index) {
  return engine.SetText(colour.clearCommand, std::to_string(index), kBlemishMs);
}

std::span<const CountReadout> CountReadouts() {
  return kCountReadouts;
}

const CountReadout* CountReadoutOfButton(int buttonId) {
  return FindRow(CountReadouts(),
                 [buttonId](const CountReadout& c) { return c.button == buttonId; });
}

Outcome ReadCount(Command& engine, const CountReadout& readout, int32_t& value) {
  return engine.GetValue(readout.commandId, value, kCountQueryMs);
}

Outcome SwitchMultiRoi(Command& engine, std::optional<int32_t>& wanted) {
  wanted.reset();
  int32_t current = 0;
  if (const Outcome read = engine.GetValue(cmd::SMRMD, current, kMultiRoiReadMs);
      read != Outcome::Done)
    return read;
  wanted = current != 0 ? 0 : 1;
  const std::string line =
      Command::CommandName(cmd::SMRMD) + "=" + std::to_string(*wanted) + kLineEnd;
  return engine.SendLine(line, kSequencerLineMs);
}

Outcome ReadMultiRoiMode(Command& engine, int32_t& mode) {
  return engine.GetValue(cmd::SMRMD, mode, kMultiRoiShowMs);
}

}  // namespace vistrel
