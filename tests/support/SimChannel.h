#pragma once

#include <string>
#include <vector>

#include "sim/SimPeer.h"
#include "support/ScriptedChannel.h"

namespace vistrel::test {

// The in-process simulated camera as the engine's channel. Lines that start with one of the
// `refused` prefixes are answered with an error instead of reaching the camera.
class SimChannel : public ScriptedChannel {
 public:
  // The camera's time comes from `clock` (the steady clock when empty).
  explicit SimChannel(SimConfig config = {}, SimPeer::Clock clock = {})
      : peer(std::move(config), std::move(clock)) {
    SetResponder([this](const std::string& text) -> std::string {
      for (const std::string& prefix : refused) {
        if (text.starts_with(prefix))
          return "ERROR: refused for the test\r\n";
      }
      return peer.Exchange(text);
    });
  }

  // The lines written, without their line ends.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const std::string& text : written)
      lines.push_back(text.substr(0, text.find('\r')));
    return lines;
  }

  SimPeer peer;
  std::vector<std::string> refused;
};

}  // namespace vistrel::test
