#include "sim/SimCamera.h"

#include <cctype>

#include "sim/SimText.h"

namespace vistrel {

namespace {

// A line longer than this is refused as a whole once its end arrives.
constexpr size_t kMaxLine = 256;

bool IsName(std::string_view name) {
  if (name.empty())
    return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)))
      return false;
  }
  return true;
}

std::string Reply(std::string_view name, int64_t value) {
  return std::string(name) + "=" + std::to_string(value);
}

}  // namespace

SimCamera::SimCamera(SimConfig config, SimTime now)
    : config_(std::move(config)),
      stored_(SimFreshState(config_.model.empty() ? kSimDefaultModel : config_.model)),
      model_(stored_.identity.model) {
  if (!config_.statePath.empty()) {
    std::string message;
    SimStoredState loaded;
    switch (SimLoadState(config_.statePath, loaded, message)) {
      case SimStateLoad::Loaded:
        stored_ = std::move(loaded);
        if (!config_.model.empty())
          stored_.identity.model = config_.model;
        model_ = SimModel(stored_.identity.model);
        break;
      case SimStateLoad::Missing:
        break;
      case SimStateLoad::Failed:
        break;
    }
    if (!message.empty() && config_.log)
      config_.log(message);
  }
  if (!config_.cameraId.empty())
    stored_.identity.cameraId = config_.cameraId;
  PowerOn(now);
}

void SimCamera::NameIfUnnamed(const std::string& id) {
  if (stored_.identity.cameraId == kSimCameraId)
    stored_.identity.cameraId = id.substr(0, kSimCameraIdMax);
}

void SimCamera::PowerOn(SimTime now) {
  working_ = stored_.areas[0];
  partial_.clear();
  overflow_ = false;
  resetting_ = false;
  poweredOn_ = now;
  unlocked_ = false;
  lutWrite_.fill(0);
  lutRead_.fill(0);
  lutPointIndex_.fill(0);
  blemishIndex_.fill(1);
  exposureRun_ = {};
  whiteRun_ = {};
  autoStatus_ = kSimResultIdle;
  whiteStatus_ = kSimResultIdle;
  shadingStatus_ = kSimResultIdle;
  sequencerIndex_ = 1;
  loadedArea_ = 0;
  storedArea_ = 0;
}

void SimCamera::Advance(SimTime now) {
  if (resetting_ && now >= resetEnd_)
    PowerOn(now);
  if (exposureRun_.kind != RunKind::None && now >= exposureRun_.end)
    FinishRun(exposureRun_);
  if (whiteRun_.kind != RunKind::None && now >= whiteRun_.end)
    FinishRun(whiteRun_);
}

bool SimCamera::IsResetting(SimTime now) {
  Advance(now);
  return resetting_;
}

std::string SimCamera::Receive(std::string_view bytes, SimTime now) {
  Advance(now);
  std::string replies;
  for (size_t i = 0; i < bytes.size() && !resetting_; ++i) {
    const char c = bytes[i];
    if (c != '\n') {
      if (partial_.size() < kMaxLine)
        partial_.push_back(c);
      else
        overflow_ = true;
      continue;
    }
    std::string_view line = partial_;
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    const std::string reply = overflow_ ? std::string(kSimErrMalformed) : HandleLine(line, now);
    partial_.clear();
    overflow_ = false;
    if (!reply.empty())
      replies += reply + "\r\n";
  }
  return replies;
}

std::string SimCamera::HandleLine(std::string_view line, SimTime now) {
  lutWriteKeep_ = -1;
  lutReadKeep_ = -1;
  unlockNow_ = false;
  std::string reply;
  const std::string_view trimmed = SimTrim(line);
  if (!trimmed.empty()) {
    const size_t separator = trimmed.find_first_of("=?");
    Request request;
    if (separator != std::string_view::npos) {
      request.name = SimUpper(SimTrim(trimmed.substr(0, separator)));
      request.query = trimmed[separator] == '?';
      request.argument = trimmed.substr(separator + 1);
    }
    reply = IsName(request.name) ? Dispatch(request, now) : std::string(kSimErrMalformed);
  }
  // Runs of LUT channel entries and the unlock only count for consecutive lines.
  for (int c = 0; c < 3; ++c) {
    if (c != lutWriteKeep_)
      lutWrite_[static_cast<size_t>(c)] = 0;
    if (c != lutReadKeep_)
      lutRead_[static_cast<size_t>(c)] = 0;
  }
  unlocked_ = unlockNow_;
  return reply;
}

std::string SimCamera::Dispatch(const Request& request, SimTime now) {
  std::string_view stem;
  int64_t entry = 0;
  if (SimSplitNumbered(request.name, stem, entry)) {
    const int field = model_.FindSequencerField(stem);
    if (field >= 0)
      return HandleSequencer(request, field, entry);
  }
  const int id = SimFindCommand(request.name);
  if (id < 0)
    return kSimErrUnknown;
  const SimCommandSpec& spec = model_.Spec(id);
  if (!spec.supported)
    return kSimErrUnsupported;
  switch (spec.behaviour) {
    case SimBehaviour::Plain:
    case SimBehaviour::Fixed:
    case SimBehaviour::VideoMode:
    case SimBehaviour::RateSelect:
    case SimBehaviour::RateMask:
      return HandlePlain(request, id);
    case SimBehaviour::Model:
    case SimBehaviour::ModelWrite:
    case SimBehaviour::UserText:
    case SimBehaviour::CameraId:
    case SimBehaviour::DeviceVersion:
    case SimBehaviour::XmlVersion:
    case SimBehaviour::Unlock:
      return HandleIdentity(request, id);
    case SimBehaviour::Reset:
    case SimBehaviour::LoadArea:
    case SimBehaviour::StoreArea:
    case SimBehaviour::StoreFactory:
      return HandleFlash(request, id, now);
    case SimBehaviour::ExposureAuto:
    case SimBehaviour::GainAuto:
    case SimBehaviour::WhiteAuto:
    case SimBehaviour::Shading:
      return HandleAdjustment(request, id, now);
    case SimBehaviour::AutoStatus:
    case SimBehaviour::WhiteStatus:
    case SimBehaviour::ShadingStatus:
    case SimBehaviour::LevelStatus:
    case SimBehaviour::Temperature:
    case SimBehaviour::BlemishCount:
    case SimBehaviour::SequencerIndex:
      return HandleStatus(request, id, now);
    case SimBehaviour::LutPoint:
    case SimBehaviour::LutChannel:
      return HandleLut(request, id);
    case SimBehaviour::BlemishX:
    case SimBehaviour::BlemishY:
    case SimBehaviour::BlemishClear:
    case SimBehaviour::SequencerReset:
      return HandleBlemish(request, id);
  }
  return kSimErrUnknown;
}

std::string SimCamera::HandleSequencer(const Request& request, int field, int64_t entry) {
  const SimSeqSpec& spec = model_.SequencerField(field);
  if (!spec.supported)
    return kSimErrUnsupported;
  if (entry < 1 || entry > kSimSequencerEntries)
    return kSimErrRange;
  int32_t& slot = working_.sequencer[static_cast<size_t>(entry - 1)][static_cast<size_t>(field)];
  if (request.query)
    return SimTrim(request.argument).empty() ? Reply(request.name, slot)
                                             : std::string(kSimErrMalformed);
  const auto value = SimParseInt(request.argument);
  if (!value)
    return kSimErrInvalid;
  if (*value < spec.minimum || *value > spec.maximum)
    return kSimErrRange;
  slot = static_cast<int32_t>(*value);
  return kSimComplete;
}

std::string SimCamera::HandlePlain(const Request& request, int id) {
  const SimCommandSpec& spec = model_.Spec(id);
  int32_t& slot = working_.values[static_cast<size_t>(id)];
  if (request.query) {
    if (!SimTrim(request.argument).empty())
      return kSimErrMalformed;
    if (spec.behaviour == SimBehaviour::RateMask)
      return Reply(request.name, config_.rateMask);
    if (spec.behaviour == SimBehaviour::VideoMode && *Value("SMRMD") == 1)
      return Reply(request.name, 4);  // the sensor multi-ROI mode
    return Reply(request.name, slot);
  }
  if (spec.behaviour == SimBehaviour::Fixed || spec.behaviour == SimBehaviour::RateMask)
    return kSimErrReadOnly;
  const auto value = SimParseInt(request.argument);
  if (!value)
    return kSimErrInvalid;
  if (!spec.Accepts(*value))
    return kSimErrRange;
  if (spec.behaviour == SimBehaviour::RateSelect) {
    const auto bit = static_cast<uint32_t>(*value);
    if ((bit & (bit - 1)) != 0 || (bit & config_.rateMask) == 0)
      return kSimErrRange;
  }
  slot = static_cast<int32_t>(*value);
  return kSimComplete;
}

std::optional<int32_t> SimCamera::Value(std::string_view name) const {
  const int id = SimFindCommand(name);
  if (id < 0)
    return std::nullopt;
  return working_.values[static_cast<size_t>(id)];
}

int32_t& SimCamera::Working(const char* name) {
  return working_.values[static_cast<size_t>(SimFindCommand(name))];
}

void SimCamera::SaveState() {
  if (config_.statePath.empty())
    return;
  std::string message;
  if (!SimSaveState(config_.statePath, stored_, message) && config_.log)
    config_.log(message);
}

}  // namespace vistrel
