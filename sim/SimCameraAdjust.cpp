// The one-shot adjustments, their results and the camera's status read-outs.

#include <algorithm>
#include <cmath>

#include "sim/SimCamera.h"
#include "sim/SimText.h"

namespace vistrel {

namespace {

// The simulated scene is correctly exposed when exposure time (us) x gain / 100 is this.
constexpr int64_t kSceneExposure = 15000;
// White balance gains that the scene converges to, and those of the four presets.
constexpr int32_t kSceneRedGain = 148;
constexpr int32_t kSceneBlueGain = 121;
struct WhitePreset {
  int32_t mode;
  int32_t red;
  int32_t blue;
};
constexpr WhitePreset kWhitePresets[] = {
    {5, 96, 231},   // 3200 K
    {6, 137, 160},  // 5000 K
    {7, 158, 132},  // 6500 K
    {8, 170, 118},  // 7500 K
};
constexpr int32_t kWhiteOnce = 2;
constexpr int32_t kWhiteExposureOnce = 4;
constexpr int32_t kAutoOnce = 2;

// The sensor warms from 30 to 42 degrees after power-on (1/128 degree units).
constexpr double kColdTemperature = 30.0 * 128;
constexpr double kWarmRise = 12.0 * 128;
constexpr double kWarmUpSeconds = 300.0;

std::string Reply(std::string_view name, int64_t value) {
  return std::string(name) + "=" + std::to_string(value);
}

}  // namespace

std::string SimCamera::HandleAdjustment(const Request& request, int id, SimTime now) {
  const SimCommandSpec& spec = model_.Spec(id);
  int32_t& slot = working_.values[static_cast<size_t>(id)];
  if (request.query) {
    if (!SimTrim(request.argument).empty())
      return kSimErrMalformed;
    return Reply(request.name, spec.behaviour == SimBehaviour::Shading ? 0 : slot);
  }
  const auto value = SimParseInt(request.argument);
  if (!value)
    return kSimErrInvalid;
  if (spec.behaviour == SimBehaviour::Shading) {
    shadingStatus_ = kSimResultComplete;
    return kSimComplete;
  }
  if (!spec.Accepts(*value))
    return kSimErrRange;
  slot = static_cast<int32_t>(*value);
  switch (spec.behaviour) {
    case SimBehaviour::ExposureAuto:
      if (slot == kAutoOnce)
        StartRun(RunKind::Exposure, now);
      else if (exposureRun_.kind == RunKind::Exposure)
        CancelRun(exposureRun_);
      break;
    case SimBehaviour::GainAuto:
      if (slot == kAutoOnce)
        StartRun(RunKind::Gain, now);
      else if (exposureRun_.kind == RunKind::Gain)
        CancelRun(exposureRun_);
      break;
    case SimBehaviour::WhiteAuto:
      CancelRun(whiteRun_);
      if (slot == kWhiteOnce) {
        StartRun(RunKind::White, now);
        break;
      }
      whiteStatus_ = kSimResultComplete;
      for (const WhitePreset& preset : kWhitePresets) {
        if (preset.mode == slot) {
          Working("PGR") = preset.red;
          Working("PGB") = preset.blue;
        }
      }
      if (slot == kWhiteExposureOnce)
        slot = 0;  // done at once; the mode returns to off
      break;
    default:
      break;
  }
  return kSimComplete;
}

void SimCamera::StartRun(RunKind kind, SimTime now) {
  // A run needs the conditions it works under; otherwise it ends at once.
  bool ready = true;
  if (kind == RunKind::Exposure)
    ready = Working("EM") == 1 && Working("TM") == 0;
  else if (kind == RunKind::Gain)
    ready = Working("IGM") == 0;
  else
    ready = model_.Colour();
  Run& run = kind == RunKind::White ? whiteRun_ : exposureRun_;
  int32_t& status = kind == RunKind::White ? whiteStatus_ : autoStatus_;
  if (!ready) {
    run = {};
    status = kSimResultCondition;
    Working(kind == RunKind::Exposure ? "ASC" : kind == RunKind::Gain ? "AGC" : "AWB") = 0;
    return;
  }
  run.kind = kind;
  run.end = now + config_.adjustTime;
  status = kSimResultBusy;
}

// A run ended early reports "Idle", which ends the program's polling like any final result.
void SimCamera::CancelRun(Run& run) {
  if (run.kind == RunKind::None)
    return;
  (run.kind == RunKind::White ? whiteStatus_ : autoStatus_) = kSimResultIdle;
  run = {};
}

void SimCamera::FinishRun(Run& run) {
  const SimCommandSpec& exposure = model_.Spec(SimFindCommand("PE"));
  const SimCommandSpec& gain = model_.Spec(SimFindCommand("FGA"));
  switch (run.kind) {
    case RunKind::Exposure: {
      const int64_t lowest = std::max<int64_t>(exposure.minimum, Working("ASCEI"));
      const int64_t highest = std::min<int64_t>(exposure.maximum, Working("ASCEA"));
      const int64_t target = kSceneExposure * 100 / std::max<int32_t>(Working("FGA"), 1);
      Working("PE") = static_cast<int32_t>(std::clamp(target, lowest, std::max(lowest, highest)));
      Working("ASC") = 0;
      autoStatus_ = kSimResultConvergent;
      break;
    }
    case RunKind::Gain: {
      const int64_t lowest = std::max<int64_t>(gain.minimum, Working("AGCGI"));
      const int64_t highest = std::min<int64_t>(gain.maximum, Working("AGCGA"));
      const int64_t target = kSceneExposure * 100 / std::max<int32_t>(Working("PE"), 1);
      Working("FGA") = static_cast<int32_t>(std::clamp(target, lowest, std::max(lowest, highest)));
      Working("AGC") = 0;
      autoStatus_ = kSimResultConvergent;
      break;
    }
    case RunKind::White:
      Working("PGR") = kSceneRedGain;
      Working("PGB") = kSceneBlueGain;
      Working("AWB") = 0;
      whiteStatus_ = kSimResultComplete;
      break;
    case RunKind::None:
      break;
  }
  run = {};
}

std::string SimCamera::HandleStatus(const Request& request, int id, SimTime now) {
  const SimCommandSpec& spec = model_.Spec(id);
  if (!request.query)
    return kSimErrReadOnly;
  if (!SimTrim(request.argument).empty())
    return kSimErrMalformed;
  const bool runStatus = spec.behaviour == SimBehaviour::AutoStatus ||
                         spec.behaviour == SimBehaviour::WhiteStatus ||
                         spec.behaviour == SimBehaviour::ShadingStatus;
  if (runStatus && scriptedStatuses_ < config_.statusScript.size())
    return Reply(request.name, config_.statusScript[scriptedStatuses_++]);
  switch (spec.behaviour) {
    case SimBehaviour::AutoStatus:
      return Reply(request.name, autoStatus_);
    case SimBehaviour::WhiteStatus:
      return Reply(request.name, whiteStatus_);
    case SimBehaviour::ShadingStatus:
      return Reply(request.name, shadingStatus_);
    case SimBehaviour::LevelStatus:
      return Reply(request.name, LevelControlStatus());
    case SimBehaviour::Temperature:
      return Reply(request.name, Temperature(now));
    case SimBehaviour::BlemishCount:
      return Reply(request.name, working_.blemish[static_cast<size_t>(spec.table)].Count());
    case SimBehaviour::SequencerIndex:
      return Reply(request.name, sequencerIndex_);
    default:
      return kSimErrUnknown;
  }
}

int32_t SimCamera::Temperature(SimTime now) const {
  const double seconds = std::chrono::duration<double>(now - poweredOn_).count();
  const double warmth = 1.0 - std::exp(-std::max(seconds, 0.0) / kWarmUpSeconds);
  return static_cast<int32_t>(std::lround(kColdTemperature + kWarmRise * warmth));
}

// 0 off, 1 exposure and gain together, 2 exposure only, 3 gain only (continuous modes).
int32_t SimCamera::LevelControlStatus() const {
  const bool exposure = working_.values[static_cast<size_t>(SimFindCommand("ASC"))] == 1;
  const bool gain = working_.values[static_cast<size_t>(SimFindCommand("AGC"))] == 1;
  if (exposure && gain)
    return 1;
  if (exposure)
    return 2;
  return gain ? 3 : 0;
}

}  // namespace vistrel
