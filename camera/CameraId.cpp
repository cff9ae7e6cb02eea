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

Outcome Failed(CameraSession& session, const char* text) {
  session.Messages().ShowMessage(text, "", MessageIcon::Stop);
  return FailureAfter(session.Engine().LastOutcome());
}

}  // namespace

std::optional<std::string> ReadCameraId(CameraSession& session) {
  std::string text;
  if (!session.Engine().GetText(cmd::ID, text, kCameraIdMs))
    return std::nullopt;
  return session.Engine().LastAnswerText();
}

Outcome WriteCameraId(CameraSession& session, const std::string& cameraId) {
  if (cameraId.size() > kCameraIdLength) {
    session.Messages().ShowMessage("Camera ID string is too long !!", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  if (!CheckSendable(session, cameraId, "The Camera ID"))
    return Outcome::BadInput;
  if (!session.Engine().SetValue(cmd::ULCK, kCameraIdUnlockCode, kCameraIdMs))
    return Failed(session, "Couldn't save camera id.");
  if (!session.Engine().SetText(cmd::ID, cameraId, kCameraIdMs))
    return Failed(session, "Couldn't save the camera id.");
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
  if (!session.Engine().SetText(cmd::MD00, *name, kModelIdMs))
    return Failed(session, kModelIdFailed);
  session.CheckModelAgain();
  session.Messages().ShowMessage("Succeeded in writting camera model id.", "",
                                 MessageIcon::Information);
  return Outcome::Done;
}

}  // namespace vistrel
