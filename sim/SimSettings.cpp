#include "sim/SimSettings.h"

#include <algorithm>

#include "sim/SimText.h"

namespace vistrel {

namespace {

constexpr const char* kLutPointNames[3] = {"LUTR", "LUTG", "LUTB"};
constexpr const char* kLutChannelNames[3] = {"LUTSR", "LUTSG", "LUTSB"};
constexpr const char* kBlemishXNames[kSimBlemishTables] = {"BMPXW", "BMPXWR", "BMPXWG", "BMPXWB"};
constexpr const char* kBlemishYNames[kSimBlemishTables] = {"BMPYW", "BMPYWR", "BMPYWG", "BMPYWB"};

int32_t LinearPoint(int index) {
  return std::min(index * 16, kSimLutMaxLevel);
}

int32_t LinearChannelEntry(int index) {
  return index == kSimLutChannelEntries - 1 ? kSimLutMaxLevel : index * 128;
}

bool InRange(int64_t value, int64_t minimum, int64_t maximum) {
  return value >= minimum && value <= maximum;
}

std::string Pair(const char* name, int64_t a, int64_t b) {
  return std::string(name) + "=" + std::to_string(a) + "," + std::to_string(b);
}

}  // namespace

int SimBlemishTable::Count() const {
  int count = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    if (x[i] >= 0 && y[i] >= 0)
      ++count;
  }
  return count;
}

SimSettings SimDefaultSettings(const SimModel& model) {
  SimSettings settings;
  for (int id = 0; id < CommandTable::kCount; ++id)
    settings.values[static_cast<size_t>(id)] = model.Spec(id).powerOn;
  settings.sequencer.resize(kSimSequencerEntries);
  for (int entry = 1; entry <= kSimSequencerEntries; ++entry) {
    std::vector<int32_t>& fields = settings.sequencer[static_cast<size_t>(entry - 1)];
    for (int field = 0; field < model.SequencerFieldCount(); ++field)
      fields.push_back(model.SequencerPowerOn(field, entry));
  }
  for (auto& points : settings.lutPoints) {
    for (int i = 0; i < kSimLutPoints; ++i)
      points.push_back(LinearPoint(i));
  }
  for (auto& channel : settings.lutChannels) {
    for (int i = 0; i < kSimLutChannelEntries; ++i)
      channel[static_cast<size_t>(i)] = LinearChannelEntry(i);
  }
  for (int t = 0; t < kSimBlemishTables; ++t) {
    settings.blemish[static_cast<size_t>(t)].x.assign(static_cast<size_t>(kSimBlemishEntries[t]),
                                                      -1);
    settings.blemish[static_cast<size_t>(t)].y.assign(static_cast<size_t>(kSimBlemishEntries[t]),
                                                      -1);
  }
  return settings;
}

bool SimIsStoredSetting(const SimModel& model, int id) {
  const std::string_view name = CommandTable::Name(id);
  if (name.empty() || SimFindCommand(name) != id)
    return false;
  switch (model.Spec(id).behaviour) {
    case SimBehaviour::Plain:
    case SimBehaviour::ExposureAuto:
    case SimBehaviour::GainAuto:
    case SimBehaviour::WhiteAuto:
    case SimBehaviour::RateSelect:
    case SimBehaviour::VideoMode:
      return true;
    default:
      return false;
  }
}

std::vector<std::string> SimSettingsLines(const SimSettings& settings, const SimSettings& base,
                                          const SimModel& model) {
  std::vector<std::string> lines;
  for (int id = 0; id < CommandTable::kCount; ++id) {
    const size_t i = static_cast<size_t>(id);
    if (SimIsStoredSetting(model, id) && settings.values[i] != base.values[i])
      lines.push_back(std::string(CommandTable::Name(id)) + "=" +
                      std::to_string(settings.values[i]));
  }
  for (size_t entry = 0; entry < settings.sequencer.size(); ++entry) {
    for (size_t field = 0; field < settings.sequencer[entry].size(); ++field) {
      const int32_t value = settings.sequencer[entry][field];
      if (value != base.sequencer[entry][field])
        lines.push_back(model.SequencerField(static_cast<int>(field)).name +
                        std::to_string(entry + 1) + "=" + std::to_string(value));
    }
  }
  for (size_t c = 0; c < 3; ++c) {
    for (size_t i = 0; i < settings.lutPoints[c].size(); ++i) {
      if (settings.lutPoints[c][i] != base.lutPoints[c][i])
        lines.push_back(Pair(kLutPointNames[c], static_cast<int64_t>(i), settings.lutPoints[c][i]));
    }
    for (size_t i = 0; i < settings.lutChannels[c].size(); ++i) {
      if (settings.lutChannels[c][i] != base.lutChannels[c][i])
        lines.push_back(
            Pair(kLutChannelNames[c], static_cast<int64_t>(i), settings.lutChannels[c][i]));
    }
  }
  for (size_t t = 0; t < settings.blemish.size(); ++t) {
    const SimBlemishTable& table = settings.blemish[t];
    for (size_t i = 0; i < table.x.size(); ++i) {
      const int64_t entry = static_cast<int64_t>(i) + 1;
      if (table.x[i] != base.blemish[t].x[i])
        lines.push_back(Pair(kBlemishXNames[t], entry, table.x[i]));
      if (table.y[i] != base.blemish[t].y[i])
        lines.push_back(Pair(kBlemishYNames[t], entry, table.y[i]));
    }
  }
  return lines;
}

bool SimApplySettingsLine(SimSettings& settings, std::string_view line, const SimModel& model) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos)
    return false;
  const std::string name = SimUpper(SimTrim(line.substr(0, equals)));
  const std::string_view value = line.substr(equals + 1);

  std::string_view stem;
  int64_t entry = 0;
  if (SimSplitNumbered(name, stem, entry)) {
    const int field = model.FindSequencerField(stem);
    if (field >= 0) {
      // Stored values are taken as they are: an area may come from another model.
      const auto number = SimParseInt(value);
      if (!number || !InRange(entry, 1, kSimSequencerEntries) ||
          !InRange(*number, kSimNoMinimum, kSimNoMaximum))
        return false;
      settings.sequencer[static_cast<size_t>(entry - 1)][static_cast<size_t>(field)] =
          static_cast<int32_t>(*number);
      return true;
    }
  }
  const int id = SimFindCommand(name);
  if (id < 0)
    return false;
  const SimCommandSpec& spec = model.Spec(id);
  const size_t table = static_cast<size_t>(spec.table);
  int64_t index = 0;
  int64_t level = 0;
  switch (spec.behaviour) {
    case SimBehaviour::LutPoint:
      if (!SimParsePair(value, index, level) || !InRange(index, 0, kSimLutPoints - 1) ||
          !InRange(level, 0, kSimLutMaxLevel))
        return false;
      settings.lutPoints[table][static_cast<size_t>(index)] = static_cast<int32_t>(level);
      return true;
    case SimBehaviour::LutChannel:
      if (!SimParsePair(value, index, level) || !InRange(index, 0, kSimLutChannelEntries - 1) ||
          !InRange(level, 0, kSimLutMaxLevel))
        return false;
      settings.lutChannels[table][static_cast<size_t>(index)] = static_cast<int32_t>(level);
      return true;
    case SimBehaviour::BlemishX:
    case SimBehaviour::BlemishY: {
      SimBlemishTable& blemish = settings.blemish[table];
      if (!SimParsePair(value, index, level) ||
          !InRange(index, 1, static_cast<int64_t>(blemish.x.size())) ||
          !InRange(level, -1, kSimNoMaximum))
        return false;
      auto& coordinates = spec.behaviour == SimBehaviour::BlemishX ? blemish.x : blemish.y;
      coordinates[static_cast<size_t>(index - 1)] = static_cast<int32_t>(level);
      return true;
    }
    default:
      break;
  }
  if (!SimIsStoredSetting(model, id))
    return false;
  const auto number = SimParseInt(value);
  if (!number || !InRange(*number, kSimNoMinimum, kSimNoMaximum))
    return false;
  settings.values[static_cast<size_t>(id)] = static_cast<int32_t>(*number);
  return true;
}

}  // namespace vistrel
