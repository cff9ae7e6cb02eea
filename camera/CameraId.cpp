#include "camera/CameraId.h"

#include <vector>

#include "camera/CameraData.h"
#include "camera/CameraModel.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kCameraIdMs = limits::kReplyMs;
constexpr int kModelIdMs = limits::kModelIdMs;

constexpr const char* kModelIdFailed = "Failed writting camera model id.";

// Shows `text` for a setting that ended `failed` and returns that outcome.
Outcome Failed(CameraSession& session, Outcome failed, const char* text) {
  session.Messages().ShowMessage(text, "", MessageIcon::Stop);
  return failed;
}

}  // namespace

Reading<std::string> ReadCameraId(CameraSession& session) {
  std::string text;
  const Outcome outcome = session.Engine().GetText(cmd::ID, text, kCameraIdMs);
  if (outcome != Outcome::Done)
    return {outcome, std::nullopt};
  return {outcome, session.Engine().LastAnswerText()};
}

Outcome WriteCameraId(CameraSession& session, const std::string& cameraId) {
  if (!CheckSendable(session, cameraId, "Camera ID", kCameraIdLength))
    return Outcome::BadInput;
  if (const Outcome unlocked =
          session.Engine().SetValue(cmd::ULCK, kCameraIdUnlockCode, kCameraIdMs);
      unlocked != Outcome::Done)
    return Failed(session, unlocked, "Couldn't save camera id.");
  if (const Outcome written = session.Engine().SetText(cmd::ID, cameraId, kCameraIdMs);
      written != Outcome::Done)
    return Failed(session, written, "Couldn't save the camera id.");
  session.Messages().ShowMessage("Completed saving camera id: " + cameraId + ".", "",
                                 MessageIcon::Information);
  return Outcome::Done;
}

std::optional<std::string> ModelIdForEntry(int position) {
  const std::vector<std::string> names = WritableModelNames();
  if (position < 0 || position >= static_cast<int>(names.size()))
    return std::nullopt;
  return names[static_cast<size_t>(position)];
}

Outcome WriteModelId(CameraSession& session, int position, const std::string& entryText) {
  const std::optional<std::string> name = ModelIdForEntry(position);
  // The entry the operator sees must name the model that is written: on a camera whose
  // choice lists its own model, that entry's position would write another model's id.
  if (!name || *name != entryText) {
    session.Messages().ShowMessage(kModelIdFailed, "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  if (const Outcome written = session.Engine().SetText(cmd::MD00, *name, kModelIdMs);
      written != Outcome::Done)
    return Failed(session, written, kModelIdFailed);
  session.CheckModelAgain();
  session.Messages().ShowMessage("Succeeded in writting camera model id.", "",
                                 MessageIcon::Information);
  return Outcome::Done;
}

}  // namespace vistrel
