#pragma once

#include "transport/CClSerialChannel.h"

namespace vistrel {

// Camera Link 2000: one vendor library per file, the files matching clser*.so and
// libclser*.so in the folder named by CLSERIALPATH (on Windows clser*.dll in the system
// folder, then in CLSERIALPATH); the list holds their file names. This
// generation has no baud-rate function and runs at 9600 only.
class CClSerial2000 final : public CClSerialChannel {
 public:
  using CClSerialChannel::CClSerialChannel;

  void RefreshNames() override;
  bool Open(uint32_t index) override;
  bool SetBaudRate(uint32_t rate) override;

  // The folder named by CLSERIALPATH; empty when it is not set.
  static std::string LibraryFolder();
#ifdef _WIN32
  // The Windows system folder, searched before CLSERIALPATH.
  static std::string SystemFolder();
#endif
};

}  // namespace vistrel
