#pragma once

#include <string>
#include <vector>

namespace vistrel::test {

// Every vistrelctl subcommand that talks to the camera, with arguments that make it do so.
// `settingFile` is an existing setting file, `gammaFile` an existing gamma file; `newFile`
// names a file the command would create (the extension is added).
inline std::vector<std::vector<std::string>> CameraCommandList(const std::string& settingFile,
                                                               const std::string& gammaFile,
                                                               const std::string& newFile) {
  return {
      {"get", "TI"},
      {"set", "TI=1"},
      {"send", "TI?"},
      {"describe", "TI"},
      {"params"},
      {"info"},
      {"dump"},
      {"save", newFile + ".cam"},
      {"load", settingFile},
      {"diff", settingFile},
      {"store", "1"},
      {"load-area", "1"},
      {"store-all"},
      {"reset"},
      {"user-id"},
      {"camera-id"},
      {"device-version"},
      {"xml-version"},
      {"model-id", "RL-8200T-VLNK"},
      {"lens", "zoom", "tele", "--ms", "5000"},
      {"sequencer", "1"},
      {"entry", "BMPXW", "1"},
      {"blemish-clear", "white", "1"},
      {"counts"},
      {"adjust", "exposure"},
      {"lut", "show"},
      {"lut", "read", newFile + ".csv"},
      {"lut", "write", gammaFile},
  };
}

}  // namespace vistrel::test
