#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/CommandTable.h"
#include "sim/SimData.h"

namespace vistrel {

// How the simulated camera treats one command id under the current model.
struct SimCommandSpec {
  SimBehaviour behaviour = SimBehaviour::Plain;
  int table = 0;
  bool supported = false;
  int32_t minimum = kSimNoMinimum;
  int32_t maximum = kSimNoMaximum;
  int32_t powerOn = 0;

  bool Accepts(int64_t value) const { return value >= minimum && value <= maximum; }
};

// One field of the sequencer entries under the current model.
struct SimSeqSpec {
  std::string name;
  bool supported = true;
  int32_t minimum = kSimNoMinimum;
  int32_t maximum = kSimNoMaximum;
  SimSeqDefault powerOn = SimSeqDefault::Value;
  int32_t value = 0;
};

// A model name resolved into what the camera answers, the ranges and the power-on values.
class SimModel {
 public:
  explicit SimModel(std::string_view name);

  const std::string& Name() const { return name_; }
  SimFamily Family() const { return entry_.family; }
  int32_t Width() const { return entry_.width; }
  int32_t Height() const { return entry_.height; }
  bool Colour() const { return entry_.colour; }

  const SimCommandSpec& Spec(int id) const { return specs_[static_cast<size_t>(id)]; }

  int SequencerFieldCount() const { return static_cast<int>(sequencer_.size()); }
  const SimSeqSpec& SequencerField(int field) const {
    return sequencer_[static_cast<size_t>(field)];
  }
  int FindSequencerField(std::string_view name) const;   // -1 when it is not a field
  int32_t SequencerPowerOn(int field, int entry) const;  // entry 1..128

  int32_t BlemishMaxX() const { return entry_.blemishMaxX; }
  int32_t BlemishMaxY() const { return entry_.blemishMaxY; }

 private:
  // The description of a model table entry, built once.
  static const SimModel& Described(const SimModelEntry& entry);
  explicit SimModel(const SimModelEntry& known);
  void BuildSupport();
  void BuildRanges();
  void BuildSequencer();

  std::string name_;
  SimModelEntry entry_;
  std::array<SimCommandSpec, CommandTable::kCount> specs_;
  std::vector<SimSeqSpec> sequencer_;
};

// The lowest command id with this name, or -1 (a hashed lookup into the command table).
int SimFindCommand(std::string_view name);

// True when `name` is `pattern`, or, for a pattern ending in '#', the pattern's stem
// followed by one or more digits.
bool SimNameMatches(std::string_view pattern, std::string_view name);

}  // namespace vistrel
