#include "camera/CameraId.h"

#include <array>

#include "camera/CameraData.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kCameraIdMs = limits::kReplyMs;
constexpr int kModelIdMs = limits::kModelIdMs;

// The model names the model choice writes, by entry position.
constexpr std::array<const char*, 2> kModelIds{"RL-4100T-VLNK", "RL-8200T-VLNK"};

constexpr const char* kModelIdFailed = "Failed writting camera model id.";

Outcome Failed(CameraSession& session, const char* text) {
  session.messages.ShowMessage(text, "", MessageIcon::Stop);
  return FailureAfter(session.engine.LastOutcome());
}

}  // namespace

std::optional<std::string> ReadCameraId(CameraSession& session) {
  std::string text;
  if (!session.engine.GetText(cmd::ID, text, kCameraIdMs))
    return std::nullopt;
  return session.engine.LastAnswerText();
}

Outcome WriteCameraId(CameraSession& session, const std::string& cameraId) {
  if (cameraId.size() > kCameraIdLength) {
    session.messages.ShowMessage("Camera ID string is too long !!", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  if (!CheckSendable(session, cameraId, "The Camera ID"))
    return Outcome::BadInput;
  if (!session.engine.SetValue(cmd::ULCK, kCameraIdUnlockCode, kCameraIdMs))
    return Failed(session, "Couldn't save camera id.");
  if (!session.engine.SetText(cmd::ID, cameraId, kCameraIdMs))
    return Failed(session, "Couldn't save the camera id.");
  session.messages.ShowMessage("Completed saving camera id: " + cameraId + ".", "",
                               MessageIcon::Information);
  return Outcome::Done;
}

std::optional<std::string> ModelIdForEntry(int position) {
  if (position < 0 || position >= static_cast<int>(kModelIds.size()))
    return std::nullopt;
  return kModelIds[static_cast<size_t>(position)];
}

int EntryForModelId(const std::string& name) {
  for (size_t i = 0; i < kModelIds.size(); ++i) {
    if (name == kModelIds[i])
      return static_cast<int>(i);
  }
  return -1;
}

Outcome WriteModelId(CameraSession& session, int position, const std::string& entryText) {
  const std::optional<std::string> name = ModelIdForEntry(position);
  // The entry the operator sees must name the model that is written: on a camera whose
  // choice lists its own model, that entry's position would write another model's id.
  if (!name || *name != entryText) {
    session.messages.ShowMessage(kModelIdFailed, "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  if (!session.engine.SetText(cmd::MD00, *name, kModelIdMs))
    return Failed(session, kModelIdFailed);
  session.ForgetModel();
  session.CheckModelOnce();
  session.messages.ShowMessage("Succeeded in writting camera model id.", "",
                               MessageIcon::Information);
  return Outcome::Done;
}

}  // namespace vistrel
