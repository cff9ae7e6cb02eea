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
  if (const Outcome loaded = session.Engine().SetValue(cmd::LD, area, limits::kReplyMs);
      loaded != Outcome::Done)
    return loaded;
  return Reload(session).Overall();
}

Outcome StoreArea(CameraSession& session, int area) {
  session.RememberArea(area);
  if (area != 0 && (area < 1 || area > 3)) {
    session.Messages().ShowMessage("Selected invalid area !", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  const Outcome stored = area == 0 ? session.Engine().SetValue(cmd::SA00, 0, limits::kAreaStoreMs)
                                   : session.Engine().SetValue(cmd::SA, area, limits::kAreaStoreMs);
  if (stored != Outcome::Done)
    return stored;
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
    if (const Outcome stored = session.Engine().SetValue(cmd::SA, area, limits::kLongSettingMs);
        stored != Outcome::Done)
      stores.NoteFailure(session.Engine(), stored);
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
  return session.Engine().SetValue(cmd::SA00, 0, limits::kQuickReplyMs);
}

Outcome CameraReset(CameraSession& session) {
  const Outcome sent = session.Engine().SetValue(cmd::CRS00, 1, limits::kCameraResetMs);
  if (sent == Outcome::Done)
    return Outcome::Done;
  session.Messages().ShowMessage("Failed sending \"Camera Reset Command\".", "", MessageIcon::Stop);
  return sent;
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
    wait.outcome = engine.Exchange(query, reply, limits::kProbeMs);
    const bool answered = wait.outcome == Outcome::Done;
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
  const Outcome outcome = session.Engine().SetValue(cmd::SA, index, limits::kUserSetStoreMs);
  if (outcome == Outcome::Done)
    Inform(session, "Completed to store current setting data!");
  session.Progress().End();
  return outcome;
}

Outcome UserSetLoad(CameraSession& session, int index) {
  if (const Outcome loaded = session.Engine().SetValue(cmd::LD, index, limits::kLongSettingMs);
      loaded != Outcome::Done)
    return loaded;
  return Reload(session).Overall();
}

}  // namespace vistrel
