#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/ParameterTable.h"

namespace vistrel {

// The camera models the program knows, in the order of their model codes (a model's code is
// its position here); Other, always last, stands for any camera that reports another name
// (every setting is read and offered for it).
enum class Model { Rl4100T, Rl8200T, Qx70500M, Qx70500C, Other };

enum class ModelFamily { Rl, Qx, Other };
// Other cameras are taken as neither colour nor monochrome.
enum class SensorColour { Colour, Monochrome, Unknown };

// The number ranges that follow the binning and gain modes.
struct ModelNumberLimits {
  int32_t leastWidth;          // WTC, SQW without horizontal binning
  int32_t leastBinnedWidth;    // with horizontal binning
  int32_t largestOffsetY;      // OFL, SQOY without vertical binning
  int32_t binnedOffsetMargin;  // with vertical binning: half the height less this
  int32_t gainMinimum;         // the sequencer's colour gains, individual gain off
  int32_t gainMaximum;
  int32_t individualGainMinimum;  // individual gain on
  int32_t individualGainMaximum;
  int32_t leastBinnedPeriod;  // the sequencer's periods when a binning is on (RL family)
};

// The limits every known model has today.
inline constexpr ModelNumberLimits kCommonNumberLimits{
    .leastWidth = 96,
    .leastBinnedWidth = 48,
    .largestOffsetY = 3000,
    .binnedOffsetMargin = 8,
    .gainMinimum = 44,
    .gainMaximum = 562,
    .individualGainMinimum = 100,
    .individualGainMaximum = 6400,
    .leastBinnedPeriod = 3,
};

// What the program knows about one model. Adding a model is one more `Model` value and one
// more record in ModelCatalogue.cpp (its read list in ModelReadLists.cpp); everything else
// asks the catalogue.
struct ModelRecord {
  Model model;
  const char* name;  // as the camera reports it to the model query
  ModelFamily family;
  SensorColour colour;
  int largestWidth;
  int largestHeight;
  // The controls whose rows the read-all pass reads, and those of them this model lacks;
  // an empty read list reads every row.
  std::span<const int> readList{};
  std::span<const int> lacking{};
  // The controls of ModelDependentControls() this model's pages hide (besides those it lacks).
  std::span<const int> hiddenOnPages{};
  // Whether the camera's model id can be rewritten: the model choice on the factory page then
  // offers every model of the family that can, else only the model's own name.
  bool modelIdWritable = false;
  // Whether the pulse generator clear sources are numbered by signal code (else by their
  // position in the list).
  bool clearSourcesBySignal = false;
  // The blemish coordinate limits of a sensor smaller than the parameter table's ranges.
  std::optional<BlemishLimits> blemishLimits{};
  ModelNumberLimits limits = kCommonNumberLimits;
};

// The records of the known models, by model code, and the record for any other camera.
std::span<const ModelRecord> KnownModelRecords();
const ModelRecord& RecordOf(Model model);
// The record for a model code (the record for other cameras when the code is none known).
const ModelRecord& RecordForCode(int code);
// The model a name the camera reported stands for.
Model ModelNamed(std::string_view name);
constexpr int CodeOf(Model model) {
  return static_cast<int>(model);
}

// Whether a model reads the row of a control; other cameras read every row.
bool ModelSupportsControl(int modelCode, int ctrlId);
// The controls that the pages of some models hide (each with its caption and up-down
// control): the per-colour exposure, the individual colour gains, the colour transformation
// and enhancer, and the green and blue blemish tables.
std::span<const int> ModelDependentControls();
// Whether a model's pages show a control: its record does not hide it and the model reads it.
bool ModelShowsControl(int modelCode, int ctrlId);
// Commands a monochrome model does not have (the colour sequencer gains).
bool ExcludedForMonochrome(int commandId);

}  // namespace vistrel
