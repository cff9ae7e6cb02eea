#pragma once

#include <string>
#include <vector>

#include "transport/CCommunication.h"

namespace vistrel {

inline constexpr const char* kNetworkKind = "network";

// One port as `vistrelctl ports` shows it.
struct PortRow {
  std::string kind;     // "com", "device", "network", "cl2000", "cl2001" or "clver11"
  int index = -1;       // the COM or Camera Link port index; -1 for a device
  std::string name;     // COMn, the device's path (its stable name where it has one), or
                        // the Camera Link library's name of the port
  std::string device;   // the device node it leads to now; empty where none is known
  bool exists = false;  // a device that is there (a ttyS* node only with a UART)
  std::string byId;     // the stable by-id name, where there is one
  std::string adapter;  // the adapter's name, where known
  bool chosen = false;  // the stored channel choice
};

// The ports of every channel kind: the 32 COM names (only those whose device exists unless
// `all`), the serial devices no COM name reaches (with the stored device when it is not
// connected), the stored network port, and the ports the Camera Link libraries list. The channel's
// mode is restored.
std::vector<PortRow> CollectPortRows(CCommunication& channel, const std::string& settingsFolder,
                                     const DeviceTree& tree, bool all);

}  // namespace vistrel
