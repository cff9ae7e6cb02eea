#pragma once

#include <string>
#include <vector>

#include "camera/CameraSession.h"
#include "core/Outcome.h"

namespace vistrel {

// The texts of the flash areas in the area select dialog, area 0..3.
std::vector<std::string> AreaChoices(bool storing, bool factoryMode);
// The area a choice text stands for, or -1.
int AreaFromChoice(const std::string& text);

// Loads an area (0..3) into the camera's working settings and reads everything back.
// Done when the area was loaded and every setting read back.
Outcome LoadArea(CameraSession& session, int area);
// Stores the working settings into an area (0 = factory through SA00, 1..3 user areas).
// BadInput for an area that is none of these (nothing was sent).
Outcome StoreArea(CameraSession& session, int area);
// Stores into user areas 3, 2 and 1 after asking; reports how it went. Done when all three
// were stored; BadInput when the operator said no (nothing was sent); otherwise the weightiest
// failure of the three stores.
Outcome StoreAll(CameraSession& session);
// Stores into the factory area without a message.
Outcome FactoryStore(CameraSession& session);
// Restarts the camera. Done when the camera took the command (the program then closes, or
// waits for it with WaitForRestart).
Outcome CameraReset(CameraSession& session);
// How the wait for a restarting camera ended: Done once it answered again (any answer to the
// model query, a refusal included), NoReply when the limit passed first, ChannelLost.
struct RestartWait {
  Outcome outcome = Outcome::NoReply;
  int tookMs = 0;  // from the start of the wait to the answer (or to giving up)
};
// Asks for the model until the camera answers again after a reset, for at most `limitMs` on
// the engine's clock. Sends nothing else; the camera's silence shows no message.
RestartWait WaitForRestart(CameraSession& session, int limitMs);
// The user-set store and load of the communication dialog (index = area). A load is done
// when the area was loaded and every setting read back.
Outcome UserSetStore(CameraSession& session, int index);
Outcome UserSetLoad(CameraSession& session, int index);

}  // namespace vistrel
