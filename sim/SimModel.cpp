#include "sim/SimModel.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/ParameterTable.h"

namespace vistrel {

namespace {

bool IsRanged(const ParameterEntry& row) {
  return row.minimum < row.maximum;
}

}  // namespace

int SimFindCommand(std::string_view name) {
  static const std::unordered_map<std::string, int> index = [] {
    std::unordered_map<std::string, int> map;
    for (int id = 0; id < CommandTable::kCount; ++id) {
      const std::string_view entry = CommandTable::Name(id);
      if (!entry.empty())
        map.emplace(std::string(entry), id);  // keeps the lowest id of a name
    }
    return map;
  }();
  const auto it = index.find(std::string(name));
  return it == index.end() ? -1 : it->second;
}

bool SimNameMatches(std::string_view pattern, std::string_view name) {
  if (pattern.empty() || pattern.back() != '#')
    return pattern == name;
  const std::string_view stem = pattern.substr(0, pattern.size() - 1);
  if (name.size() <= stem.size() || name.substr(0, stem.size()) != stem)
    return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

SimModel::SimModel(std::string_view name) : SimModel(Described(SimModelByName(name))) {
  name_ = name;
}

const SimModel& SimModel::Described(const SimModelEntry& entry) {
  // Describing a model walks the command table once for every name pattern, so each of the
  // few model table entries is described once; every camera, and every model written with
  // MD=, copies its description.
  static std::mutex mutex;
  static std::map<const char*, SimModel> described;
  const std::lock_guard lock(mutex);
  auto it = described.find(entry.name);
  if (it == described.end())
    it = described.emplace(entry.name, SimModel(entry)).first;
  return it->second;  // never erased, so the reference stays valid
}

SimModel::SimModel(const SimModelEntry& known) : name_(known.name), entry_(known) {
  for (const SimBehaviourEntry& entry : SimBehaviours()) {
    const int id = SimFindCommand(entry.name);
    if (id >= 0) {
      specs_[static_cast<size_t>(id)].behaviour = entry.behaviour;
      specs_[static_cast<size_t>(id)].table = entry.table;
    }
  }
  BuildSupport();
  BuildRanges();
  BuildSequencer();
}

void SimModel::BuildSupport() {
  auto mark = [this](std::span<const char* const> names, bool supported) {
    for (const char* pattern : names) {
      for (int id = 0; id < CommandTable::kCount; ++id) {
        if (SimNameMatches(pattern, CommandTable::Name(id)))
          specs_[static_cast<size_t>(id)].supported = supported;
      }
    }
  };
  if (Family() == SimFamily::Other) {
    for (SimCommandSpec& spec : specs_)
      spec.supported = true;
    return;
  }
  mark(SimCommonCommands(), true);
  for (const SimFamilyList& list : SimFamilyLists()) {
    if (list.family == Family())
      mark(list.names, true);
  }
  mark(entry_.lacking, false);
  if (!Colour())
    mark(SimMonochromeOmits(), false);
}

void SimModel::BuildRanges() {
  // The parameter table's rows: a number or check box row gives the range; a choice row only
  // when no such row exists and its range is not empty. The same row gives the power-on value.
  std::array<int, CommandTable::kCount> source;
  source.fill(-1);  // 2 ranged number/check row, 1 ranged choice row, 0 any row
  for (const ParameterEntry& row : InitialParameterRows()) {
    if (!CommandTable::IsValidId(row.commandId) || CommandTable::Name(row.commandId).empty())
      continue;
    const bool numeric = row.kind == ControlKind::Number || row.kind == ControlKind::Check;
    const int rank = IsRanged(row) ? (numeric ? 2 : 1) : 0;
    int& current = source[static_cast<size_t>(row.commandId)];
    if (rank <= current)
      continue;
    current = rank;
    SimCommandSpec& spec = specs_[static_cast<size_t>(row.commandId)];
    spec.powerOn = row.value;
    if (rank > 0) {
      spec.minimum = row.minimum;
      spec.maximum = row.maximum;
    }
  }
  for (const SimValueEntry& entry : SimValues()) {
    const int id = SimFindCommand(entry.name);
    if (id < 0)
      continue;
    SimCommandSpec& spec = specs_[static_cast<size_t>(id)];
    spec.minimum = entry.minimum;
    spec.maximum = entry.maximum;
    spec.powerOn = entry.powerOn;
  }
  for (const SimGeometryEntry& entry : SimGeometries()) {
    for (int id = 0; id < CommandTable::kCount; ++id) {
      if (!SimNameMatches(entry.name, CommandTable::Name(id)))
        continue;
      SimCommandSpec& spec = specs_[static_cast<size_t>(id)];
      switch (entry.geometry) {
        case SimGeometry::Width:
          spec.maximum = spec.powerOn = Width();
          break;
        case SimGeometry::Height:
          spec.maximum = spec.powerOn = Height();
          break;
        case SimGeometry::OffsetX:
          spec.maximum = Width() - specs_[static_cast<size_t>(SimFindCommand("WTC"))].minimum;
          break;
        case SimGeometry::OffsetY:
          spec.maximum = Height() - specs_[static_cast<size_t>(SimFindCommand("HTL"))].minimum;
          break;
      }
    }
  }
  for (SimCommandSpec& spec : specs_)
    spec.powerOn = std::clamp(spec.powerOn, spec.minimum, spec.maximum);
}

void SimModel::BuildSequencer() {
  for (const SimSeqField& field : SimSequencerFields()) {
    SimSeqSpec spec;
    spec.name = field.name;
    const int rangeId = SimFindCommand(field.rangeOf);
    if (rangeId >= 0) {
      spec.minimum = specs_[static_cast<size_t>(rangeId)].minimum;
      spec.maximum = specs_[static_cast<size_t>(rangeId)].maximum;
    }
    spec.powerOn = field.powerOn;
    spec.value = field.value;
    if (!Colour() && Family() != SimFamily::Other) {
      for (const char* pattern : SimMonochromeOmits()) {
        if (SimNameMatches(pattern, spec.name + "1"))
          spec.supported = false;
      }
    }
    sequencer_.push_back(std::move(spec));
  }
}

int SimModel::FindSequencerField(std::string_view name) const {
  for (size_t i = 0; i < sequencer_.size(); ++i) {
    if (sequencer_[i].name == name)
      return static_cast<int>(i);
  }
  return -1;
}

int32_t SimModel::SequencerPowerOn(int field, int entry) const {
  const SimSeqSpec& spec = SequencerField(field);
  int32_t value = spec.value;
  switch (spec.powerOn) {
    case SimSeqDefault::Value:
      break;
    case SimSeqDefault::Width:
      value = Width();
      break;
    case SimSeqDefault::Height:
      value = Height();
      break;
    case SimSeqDefault::NextEntry:
      value = entry % kSimSequencerEntries + 1;
      break;
  }
  return std::clamp(value, spec.minimum, spec.maximum);
}

}  // namespace vistrel
