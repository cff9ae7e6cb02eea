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
// Restarts the camera. Done when the camera took the command (the program then closes).
Outcome CameraReset(CameraSession& session);
// The user-set store and load of the communication dialog (index = area). A load is done
// when the area was loaded and every setting read back.
Outcome UserSetStore(CameraSession& session, int index);
Outcome UserSetLoad(CameraSession& session, int index);

}  // namespace vistrel
