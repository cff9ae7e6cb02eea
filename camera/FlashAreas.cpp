#include "camera/FlashAreas.h"

#include <array>

#include "camera/PassOutcome.h"
#include "camera/ReadAll.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr std::array<const char*, 4> kAreaNames{"Factory", "User 1", "User 2", "User 3"};

void Inform(CameraSession& session, const std::string& text) {
  session.messages.ShowMessage(text, "", MessageIcon::Information);
}

}  // namespace

std::vector<std::string> AreaChoices(bool storing, bool factoryMode) {
  std::vector<std::string> choices;
  for (size_t area = 0; area < kAreaNames.size(); ++area) {
    if (area == 0 && storing && !factoryMode)
      continue;
    choices.emplace_back(kAreaNames[area]);
  }
  return choices;
}

int AreaFromChoice(const std::string& text) {
  for (size_t area = 0; area < kAreaNames.size(); ++area) {
    if (text == kAreaNames[area])
      return static_cast<int>(area);
  }
  return -1;
}

Outcome LoadArea(CameraSession& session, int area) {
  session.lastArea = area;
  if (!session.engine.SetValue(cmd::LD, area, limits::kReplyMs))
    return session.engine.LastOutcome();
  return Reload(session).Overall();
}

Outcome StoreArea(CameraSession& session, int area) {
  session.lastArea = area;
  if (area != 0 && (area < 1 || area > 3)) {
    session.messages.ShowMessage("Selected invalid area !", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  const bool stored = area == 0 ? session.engine.SetValue(cmd::SA00, 0, limits::kAreaStoreMs)
                                : session.engine.SetValue(cmd::SA, area, limits::kAreaStoreMs);
  if (!stored)
    return FailureAfter(session.engine.LastOutcome());
  Inform(session, "Completed saving current setting data !");
  return Outcome::Done;
}

Outcome StoreAll(CameraSession& session) {
  if (!session.messages.AskYesNo("Are you sure you want to overwrite into all EEPROM areas?", "")) {
    return Outcome::BadInput;
  }
  PassOutcome stores;
  for (int area = 3; area >= 1 && !stores.GivenUp(); --area) {
    session.engine.Clock().Pause(limits::kLinePauseMs);
    if (!session.engine.SetValue(cmd::SA, area, limits::kLongSettingMs))
      stores.NoteFailure(session.engine);
  }
  if (stores.Result() != Outcome::Done) {
    session.messages.ShowMessage("Couldn't store current setting data!", "",
                                 MessageIcon::Exclamation);
    return stores.Result();
  }
  Inform(session, "Completed to store current setting data!");
  return Outcome::Done;
}

Outcome FactoryStore(CameraSession& session) {
  return session.engine.SetValue(cmd::SA00, 0, limits::kQuickReplyMs) ? Outcome::Done
                                                    : FailureAfter(session.engine.LastOutcome());
}

Outcome CameraReset(CameraSession& session) {
  if (session.engine.SetValue(cmd::CRS00, 1, limits::kCameraResetMs))
    return Outcome::Done;
  session.messages.ShowMessage("Failed sending \"Camera Reset Command\".", "", MessageIcon::Stop);
  return FailureAfter(session.engine.LastOutcome());
}

Outcome UserSetStore(CameraSession& session, int index) {
  session.progress->Begin("Now, Storing camera data.");
  const bool stored = session.engine.SetValue(cmd::SA, index, limits::kUserSetStoreMs);
  const Outcome outcome = stored ? Outcome::Done : FailureAfter(session.engine.LastOutcome());
  if (stored)
    Inform(session, "Completed to store current setting data!");
  session.progress->End();
  return outcome;
}

Outcome UserSetLoad(CameraSession& session, int index) {
  if (!session.engine.SetValue(cmd::LD, index, limits::kLongSettingMs))
    return FailureAfter(session.engine.LastOutcome());
  return Reload(session).Overall();
}

}  // namespace vistrel
