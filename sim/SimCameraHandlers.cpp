// The identity, flash area and table commands of the simulated camera.

#include <algorithm>
#include <cctype>

#include "sim/SimCamera.h"
#include "sim/SimText.h"

namespace vistrel {

namespace {

std::string Reply(std::string_view name, int64_t value) {
  return std::string(name) + "=" + std::to_string(value);
}

std::string Reply(std::string_view name, std::string_view text) {
  return std::string(name) + "=" + std::string(text);
}

bool IsPrintable(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u < 0x7f;
  });
}

// Four parts of letters and digits separated by dots, for example 1.0.2.7.
bool IsDeviceVersion(std::string_view text) {
  int parts = 1;
  bool partEmpty = true;
  for (char c : text) {
    if (c == '.') {
      if (partEmpty)
        return false;
      ++parts;
      partEmpty = true;
    } else if (std::isalnum(static_cast<unsigned char>(c))) {
      partEmpty = false;
    } else {
      return false;
    }
  }
  return parts == 4 && !partEmpty;
}

}  // namespace

std::string SimCamera::HandleIdentity(const Request& request, int id) {
  const SimBehaviour behaviour = model_.Spec(id).behaviour;
  SimIdentity& identity = stored_.identity;
  if (request.query) {
    if (!SimTrim(request.argument).empty())
      return kSimErrMalformed;
    switch (behaviour) {
      case SimBehaviour::Model:
      case SimBehaviour::ModelWrite:
        return Reply(request.name, identity.model);
      case SimBehaviour::UserText:
        return Reply(request.name, identity.userId);
      case SimBehaviour::CameraId:
        return Reply(request.name, identity.cameraId);
      case SimBehaviour::DeviceVersion:
        return Reply(request.name, identity.deviceVersion);
      case SimBehaviour::XmlVersion:
        return Reply(request.name, identity.xmlVersion);
      default:
        return Reply(request.name, 0);  // the unlock is never reported
    }
  }
  // Blanks inside a text belong to it; blanks around it are dropped as around numbers.
  const std::string_view text = SimTrim(request.argument);
  if (behaviour != SimBehaviour::XmlVersion && behaviour != SimBehaviour::Unlock &&
      !IsPrintable(text))
    return kSimErrInvalid;
  switch (behaviour) {
    case SimBehaviour::Model:
      return kSimErrReadOnly;
    case SimBehaviour::ModelWrite:
      if (SimTrim(text).empty())
        return kSimErrInvalid;
      if (text.size() > kSimModelNameMax)
        return kSimErrTooLong;
      identity.model = std::string(text);
      model_ = SimModel(identity.model);
      break;
    case SimBehaviour::UserText:
      if (text.size() > kSimUserIdMax)
        return kSimErrTooLong;
      identity.userId = std::string(text);
      break;
    case SimBehaviour::CameraId:
      if (!unlocked_)
        return kSimErrLocked;
      if (text.size() > kSimCameraIdMax)
        return kSimErrTooLong;
      identity.cameraId = std::string(text);
      break;
    case SimBehaviour::DeviceVersion:
      if (!IsDeviceVersion(text))
        return kSimErrInvalid;
      identity.deviceVersion = std::string(text);
      break;
    case SimBehaviour::XmlVersion: {
      const auto value = SimParseInt(text);
      if (!value)
        return kSimErrInvalid;
      if (*value < 0 || *value > 999)
        return kSimErrRange;
      identity.xmlVersion = static_cast<int32_t>(*value);
      break;
    }
    case SimBehaviour::Unlock: {
      const auto value = SimParseInt(text);
      if (!value)
        return kSimErrInvalid;
      if (*value != kSimUnlockCode)
        return kSimErrWrongCode;
      unlockNow_ = true;
      return kSimComplete;
    }
    default:
      return kSimErrUnknown;
  }
  SaveState();
  return kSimComplete;
}

std::string SimCamera::HandleFlash(const Request& request, int id, SimTime now) {
  const SimBehaviour behaviour = model_.Spec(id).behaviour;
  if (request.query) {
    if (!SimTrim(request.argument).empty())
      return kSimErrMalformed;
    if (behaviour == SimBehaviour::LoadArea)
      return Reply(request.name, loadedArea_);
    if (behaviour == SimBehaviour::StoreArea)
      return Reply(request.name, storedArea_);
    return Reply(request.name, 0);
  }
  const auto value = SimParseInt(request.argument);
  if (!value)
    return kSimErrInvalid;
  switch (behaviour) {
    case SimBehaviour::Reset:
      if (*value != 1)
        return kSimErrRange;
      resetting_ = true;
      resetEnd_ = now + config_.resetTime;
      return kSimComplete;
    case SimBehaviour::LoadArea:
      if (*value < 0 || *value >= kSimAreaCount)
        return kSimErrRange;
      working_ = stored_.areas[static_cast<size_t>(*value)];
      loadedArea_ = static_cast<int32_t>(*value);
      CancelRun(exposureRun_);
      CancelRun(whiteRun_);
      return kSimComplete;
    case SimBehaviour::StoreArea:
      if (*value < 1 || *value >= kSimAreaCount)
        return kSimErrRange;
      stored_.areas[static_cast<size_t>(*value)] = working_;
      storedArea_ = static_cast<int32_t>(*value);
      break;
    case SimBehaviour::StoreFactory:
      if (*value != 0)
        return kSimErrRange;
      stored_.areas[0] = working_;
      storedArea_ = 0;
      break;
    default:
      return kSimErrUnknown;
  }
  SaveState();
  return kSimComplete;
}

std::string SimCamera::HandleLut(const Request& request, int id) {
  const SimCommandSpec& spec = model_.Spec(id);
  const size_t channel = static_cast<size_t>(spec.table);
  const std::string_view argument = SimTrim(request.argument);
  if (spec.behaviour == SimBehaviour::LutChannel) {
    // 32 settings in a row fill entries 0..31; 32 queries in a row read them back.
    if (request.query) {
      if (!argument.empty())
        return kSimErrMalformed;
      int& next = lutRead_[channel];
      const int32_t level = working_.lutChannels[channel][static_cast<size_t>(next)];
      next = (next + 1) % kSimLutChannelEntries;
      lutReadKeep_ = spec.table;
      return Reply(request.name, level);
    }
    const auto level = SimParseInt(argument);
    lutWriteKeep_ = spec.table;
    if (!level)
      return kSimErrInvalid;
    if (*level < 0 || *level > kSimLutMaxLevel)
      return kSimErrRange;
    int& next = lutWrite_[channel];
    working_.lutChannels[channel][static_cast<size_t>(next)] = static_cast<int32_t>(*level);
    next = (next + 1) % kSimLutChannelEntries;
    return kSimComplete;
  }
  // A point: the index comes first; a query without one reads the point last addressed.
  std::vector<int32_t>& points = working_.lutPoints[channel];
  int& last = lutPointIndex_[channel];
  if (request.query) {
    if (!argument.empty()) {
      const auto index = SimParseInt(argument);
      if (!index)
        return kSimErrInvalid;
      if (*index < 0 || *index >= kSimLutPoints)
        return kSimErrRange;
      last = static_cast<int>(*index);
    }
    return Reply(request.name, points[static_cast<size_t>(last)]);
  }
  int64_t index = 0;
  int64_t level = 0;
  if (!SimParsePair(argument, index, level))
    return kSimErrInvalid;
  if (index < 0 || index >= kSimLutPoints || level < 0 || level > kSimLutMaxLevel)
    return kSimErrRange;
  last = static_cast<int>(index);
  points[static_cast<size_t>(index)] = static_cast<int32_t>(level);
  return kSimComplete;
}

std::string SimCamera::HandleBlemish(const Request& request, int id) {
  const SimCommandSpec& spec = model_.Spec(id);
  const std::string_view argument = SimTrim(request.argument);
  if (spec.behaviour == SimBehaviour::SequencerReset) {
    if (request.query)
      return argument.empty() ? Reply(request.name, 0) : std::string(kSimErrMalformed);
    if (!SimParseInt(argument))
      return kSimErrInvalid;
    sequencerIndex_ = 1;
    return kSimComplete;
  }
  const size_t t = static_cast<size_t>(spec.table);
  SimBlemishTable& table = working_.blemish[t];
  const int64_t size = static_cast<int64_t>(table.x.size());
  if (spec.behaviour == SimBehaviour::BlemishClear) {
    if (request.query)
      return argument.empty() ? Reply(request.name, 0) : std::string(kSimErrMalformed);
    const auto index = SimParseInt(argument);
    if (!index)
      return kSimErrInvalid;
    if (*index < 0 || *index > size)
      return kSimErrRange;
    if (*index == 0) {
      std::fill(table.x.begin(), table.x.end(), -1);
      std::fill(table.y.begin(), table.y.end(), -1);
    } else {
      table.x[static_cast<size_t>(*index - 1)] = -1;
      table.y[static_cast<size_t>(*index - 1)] = -1;
    }
    return kSimComplete;
  }
  const bool isX = spec.behaviour == SimBehaviour::BlemishX;
  std::vector<int32_t>& coordinates = isX ? table.x : table.y;
  int& last = blemishIndex_[t];
  if (request.query) {
    if (!argument.empty()) {
      const auto index = SimParseInt(argument);
      if (!index)
        return kSimErrInvalid;
      if (*index < 1 || *index > size)
        return kSimErrRange;
      last = static_cast<int>(*index);
    }
    return Reply(request.name, coordinates[static_cast<size_t>(last - 1)]);
  }
  int64_t index = 0;
  int64_t value = 0;
  if (!SimParsePair(argument, index, value))
    return kSimErrInvalid;
  const int64_t maximum = isX ? model_.BlemishMaxX() : model_.BlemishMaxY();
  if (index < 1 || index > size || value < -1 || value > maximum)
    return kSimErrRange;
  last = static_cast<int>(index);
  coordinates[static_cast<size_t>(index - 1)] = static_cast<int32_t>(value);
  return kSimComplete;
}

}  // namespace vistrel
