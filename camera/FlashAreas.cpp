#include "camera/FlashAreas.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "camera/PassOutcome.h"
#include "camera/ReadAll.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr std::array<const char*, 4> kAreaNames{"Factory", "User 1", "User 2", "User 3"};

void Inform(CameraSession& session, const std::string& text) {
  session.Messages().ShowMessage(text, "", MessageIcon::Information);
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
  session.RememberArea(area);
  if (!session.Engine().SetValue(cmd::LD, area, limits::kReplyMs))
    return session.Engine().LastOutcome();
  return Reload(session).Overall();
}

Outcome StoreArea(CameraSession& session, int area) {
  session.RememberArea(area);
  if (area != 0 && (area < 1 || area > 3)) {
    session.Messages().ShowMessage("Selected invalid area !", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  const bool stored = area == 0 ? session.Engine().SetValue(cmd::SA00, 0, limits::kAreaStoreMs)
                                : session.Engine().SetValue(cmd::SA, area, limits::kAreaStoreMs);
  if (!stored)
    return FailureAfter(session.Engine().LastOutcome());
  Inform(session, "Completed saving current setting data !");
  return Outcome::Done;
}

Outcome StoreAll(CameraSession& session) {
  if (!session.Messages().AskYesNo("Are you sure you want to overwrite into all EEPROM areas?",
                                   "")) {
    return Outcome::BadInput;
  }
  PassOutcome stores;
  for (int area = 3; area >= 1 && !stores.GivenUp(); --area) {
    session.Engine().Clock().Pause(limits::kLinePauseMs);
    if (!session.Engine().SetValue(cmd::SA, area, limits::kLongSettingMs))
      stores.NoteFailure(session.Engine());
  }
  if (stores.Result() != Outcome::Done) {
    session.Messages().ShowMessage("Couldn't store current setting data!", "",
                                   MessageIcon::Exclamation);
    return stores.Result();
  }
  Inform(session, "Completed to store current setting data!");
  return Outcome::Done;
}

Outcome FactoryStore(CameraSession& session) {
  return session.Engine().SetValue(cmd::SA00, 0, limits::kQuickReplyMs)
             ? Outcome::Done
             : FailureAfter(session.Engine().LastOutcome());
}

Outcome CameraReset(CameraSession& session) {
  if (session.Engine().SetValue(cmd::CRS00, 1, limits::kCameraResetMs))
    return Outcome::Done;
  session.Messages().ShowMessage("Failed sending \"Camera Reset Command\".", "", MessageIcon::Stop);
  return FailureAfter(session.Engine().LastOutcome());
}

RestartWait WaitForRestart(CameraSession& session, int limitMs) {
  Command& engine = session.Engine();
  IClock& clock = engine.Clock();
  const IClock::Duration start = clock.Now();
  const IClock::Duration deadline = clock.After(limitMs);
  // Any line back is the camera answering: also the late answer of a query the restart
  // swallowed, which a query of its own would pass over as owed to the one before.
  const std::string query = Command::BuildQuery(cmd::MD, true);
  RestartWait wait;
  for (;;) {
    std::string reply;
    const bool answered = engine.Exchange(query, reply, limits::kProbeMs);
    wait.outcome = answered ? Outcome::Done : engine.LastOutcome();
    wait.tookMs = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start).count());
    const int left = clock.RemainingMs(deadline);
    if (answered || wait.outcome == Outcome::ChannelLost || left <= 0)
      return wait;
    clock.Pause(std::min(limits::kRestartPollMs, left));
  }
}

Outcome UserSetStore(CameraSession& session, int index) {
  session.Progress().Begin("Now, Storing camera data.");
  const bool stored = session.Engine().SetValue(cmd::SA, index, limits::kUserSetStoreMs);
  const Outcome outcome = stored ? Outcome::Done : FailureAfter(session.Engine().LastOutcome());
  if (stored)
    Inform(session, "Completed to store current setting data!");
  session.Progress().End();
  return outcome;
}

Outcome UserSetLoad(CameraSession& session, int index) {
  if (!session.Engine().SetValue(cmd::LD, index, limits::kLongSettingMs))
    return FailureAfter(session.Engine().LastOutcome());
  return Reload(session).Overall();
}

}  // namespace vistrel
