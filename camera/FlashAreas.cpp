#include "camera/FlashAreas.h"

#include <array>
#include <chrono>
#include <thread>

#include "camera/PassOutcome.h"
#include "camera/ReadAll.h"
#include "core/CommandIds.h"

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
  session.lastArea = area;
  if (!session.Engine().SetValue(cmd::LD, area, 2500))
    return session.Engine().LastOutcome();
  return Reload(session).Overall();
}

bool StoreArea(CameraSession& session, int area) {
  session.lastArea = area;
  if (area != 0 && (area < 1 || area > 3)) {
    session.Messages().ShowMessage("Selected invalid area !", "", MessageIcon::Stop);
    return false;
  }
  const bool stored = area == 0 ? session.Engine().SetValue(cmd::SA00, 0, 8000)
                                : session.Engine().SetValue(cmd::SA, area, 8000);
  if (stored)
    Inform(session, "Completed saving current setting data !");
  return stored;
}

Outcome StoreAll(CameraSession& session) {
  if (!session.Messages().AskYesNo("Are you sure you want to overwrite into all EEPROM areas?", "")) {
    return Outcome::BadInput;
  }
  PassOutcome stores;
  for (int area = 3; area >= 1 && !stores.GivenUp(); --area) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!session.Engine().SetValue(cmd::SA, area, 10000))
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

bool FactoryStore(CameraSession& session) {
  return session.Engine().SetValue(cmd::SA00, 0, 500);
}

bool CameraReset(CameraSession& session) {
  if (session.Engine().SetValue(cmd::CRS00, 1, 5000))
    return true;
  session.Messages().ShowMessage("Failed sending \"Camera Reset Command\".", "", MessageIcon::Stop);
  return false;
}

bool UserSetStore(CameraSession& session, int index) {
  session.Progress().Begin("Now, Storing camera data.");
  const bool stored = session.Engine().SetValue(cmd::SA, index, 40000);
  if (stored)
    Inform(session, "Completed to store current setting data!");
  session.Progress().End();
  return stored;
}

bool UserSetLoad(CameraSession& session, int index) {
  if (!session.Engine().SetValue(cmd::LD, index, 10000))
    return false;
  return Reload(session).Complete();
}

}  // namespace vistrel
