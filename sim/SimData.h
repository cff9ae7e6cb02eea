#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

// The fixed data of the simulated camera: its models, which commands each model answers,
// what the special commands do, and the values that differ from the parameter table.

namespace vistrel {

inline constexpr int32_t kSimNoMinimum = std::numeric_limits<int32_t>::min();
inline constexpr int32_t kSimNoMaximum = std::numeric_limits<int32_t>::max();

inline constexpr const char* kSimDefaultModel = "QX-70500C-VLNK";

// The model families; a model answers its family's commands.
enum class SimFamily { Rl, Qx, Other };

// The blemish coordinates a sensor takes unless it is smaller.
inline constexpr int32_t kSimBlemishMaxX = 2559;
inline constexpr int32_t kSimBlemishMaxY = 2047;

// A model: its name as reported for MD, family, colour and sensor geometry, the commands of
// its family it does not answer, and its largest blemish coordinates.
struct SimModelEntry {
  const char* name;
  SimFamily family;
  bool colour;
  int32_t width;
  int32_t height;
  std::span<const char* const> lacking{};
  int32_t blemishMaxX = kSimBlemishMaxX;
  int32_t blemishMaxY = kSimBlemishMaxY;
};
std::span<const SimModelEntry> SimModels();
// The entry of a model name; any other text gets the entry of the Other family, which answers
// every command and has the largest sensor.
SimModelEntry SimModelByName(std::string_view name);

// Which commands a family answers, by command name, one list per row (besides the commands
// every model answers).
struct SimFamilyList {
  SimFamily family;
  std::span<const char* const> names;
};
std::span<const SimFamilyList> SimFamilyLists();
std::span<const char* const> SimMonochromeOmits();  // left out for monochrome models
std::span<const char* const> SimCommonCommands();   // answered by every model

// What a command does beyond holding a value.
enum class SimBehaviour {
  Plain,           // a stored value within its range
  Fixed,           // a stored value that settings cannot change
  Model,           // the model name (read only)
  ModelWrite,      // rewrites the model name
  UserText,        // user id text, up to 16 characters
  CameraId,        // camera id, up to 10 characters, only right after the unlock
  DeviceVersion,   // four dotted parts
  XmlVersion,      // three decimal digits, kept with the identity data
  Unlock,          // the unlock code opens the next line for the camera id
  Reset,           // restart: acknowledged, silent for the reset time, power-on settings
  LoadArea,        // copy a flash area into the working settings
  StoreArea,       // copy the working settings into a user area
  StoreFactory,    // copy the working settings into the factory area
  ExposureAuto,    // 2 starts a one-shot exposure run
  GainAuto,        // 2 starts a one-shot gain run
  WhiteAuto,       // 2 starts a one-shot white balance run; presets set the gains
  AutoStatus,      // result of the last exposure or gain run
  WhiteStatus,     // result of the last white balance run
  Shading,         // shading recalibration
  ShadingStatus,   // result of the last shading recalibration
  LevelStatus,     // which automatic level control is running
  Temperature,     // in 1/128 degree
  RateMask,        // the serial rates the camera supports, one bit each
  RateSelect,      // the serial rate the camera uses: one supported bit
  VideoMode,       // reports 4 while the sensor multi-ROI is on
  LutPoint,        // one point of a 257-point LUT: index, value
  LutChannel,      // the 32-entry table of one channel, written and read in a row
  BlemishX,        // x of one blemish entry: index, value
  BlemishY,        // y of one blemish entry: index, value
  BlemishCount,    // number of used blemish entries
  BlemishClear,    // clears one blemish entry (0 clears all)
  SequencerIndex,  // the sequencer's current entry
  SequencerReset,  // restarts the sequencer at entry 1
};

// A command with its behaviour; `table` picks the LUT channel (0..2) or blemish table (0..3).
struct SimBehaviourEntry {
  const char* name;
  SimBehaviour behaviour;
  int table;
};
std::span<const SimBehaviourEntry> SimBehaviours();

// Range and power-on value of a command where the simulated camera differs from the
// parameter table (or where the table gives none).
struct SimValueEntry {
  const char* name;
  int32_t minimum;
  int32_t maximum;
  int32_t powerOn;
};
std::span<const SimValueEntry> SimValues();

// Commands whose range follows the model's sensor. A name ending in '#' stands for the name
// followed by any entry number.
enum class SimGeometry { Width, Height, OffsetX, OffsetY };
struct SimGeometryEntry {
  const char* name;
  SimGeometry geometry;
};
std::span<const SimGeometryEntry> SimGeometries();

// Sequencer entry fields (NAME<n>, n = 1..128): the command whose range applies and the
// power-on value.
enum class SimSeqDefault { Value, Width, Height, NextEntry };
struct SimSeqField {
  const char* name;
  const char* rangeOf;
  SimSeqDefault powerOn;
  int32_t value;
};
std::span<const SimSeqField> SimSequencerFields();

inline constexpr int kSimSequencerEntries = 128;
inline constexpr int kSimLutPoints = 257;  // indices 0..256
inline constexpr int kSimLutChannelEntries = 32;
inline constexpr int32_t kSimLutMaxLevel = 4095;
inline constexpr int kSimBlemishTables = 4;  // white, red, green, blue
inline constexpr int kSimBlemishEntries[kSimBlemishTables] = {800, 200, 200, 200};

// Identity data at first start.
inline constexpr int32_t kSimFirmwareVersion = 105;
inline constexpr int32_t kSimFpgaVersion = 210;
inline constexpr int32_t kSimXmlVersion = 123;
inline constexpr const char* kSimCameraId = "SIM0000001";
inline constexpr const char* kSimDeviceVersion = "1.0.0.3";
inline constexpr const char* kSimUserId = "";
inline constexpr int32_t kSimUnlockCode = 6183529;
inline constexpr size_t kSimUserIdMax = 16;
inline constexpr size_t kSimCameraIdMax = 10;
inline constexpr size_t kSimModelNameMax = 24;

// Replies.
inline constexpr const char* kSimComplete = "COMPLETE";
inline constexpr const char* kSimErrUnknown = "Error: unknown command";
inline constexpr const char* kSimErrUnsupported = "Error: not supported by model";
inline constexpr const char* kSimErrRange = "Error: value out of range";
inline constexpr const char* kSimErrInvalid = "Error: invalid value";
inline constexpr const char* kSimErrTooLong = "Error: text too long";
inline constexpr const char* kSimErrReadOnly = "Error: read-only command";
inline constexpr const char* kSimErrLocked = "Error: not unlocked";
inline constexpr const char* kSimErrWrongCode = "Error: wrong unlock code";
inline constexpr const char* kSimErrMalformed = "Error: malformed line";

// Results of the one-shot adjustments.
inline constexpr int32_t kSimResultComplete = 0;
inline constexpr int32_t kSimResultBusy = 4;
inline constexpr int32_t kSimResultConvergent = 8;
inline constexpr int32_t kSimResultCondition = 9;
inline constexpr int32_t kSimResultIdle = 255;

}  // namespace vistrel
