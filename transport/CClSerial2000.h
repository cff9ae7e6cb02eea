#pragma once

#include <array>

#include "transport/CClSerialChannel.h"

namespace vistrel {

// Camera Link 2000: one vendor library per file, the files matching clser*.so and
// libclser*.so in the folder named by CLSERIALPATH (on Windows clser*.dll in the system
// folder, then in CLSERIALPATH); the list holds their file names. This
// generation has no baud-rate function and runs at 9600 only.
class CClSerial2000 final : public CClSerialChannel {
 public:
  // The rate every Camera Link 2000 port runs at.
  static constexpr uint32_t kOnlyBaudRate = 9600;
  // The functions a Camera Link 2000 library must export.
  static constexpr std::array<ClFunction, 4> kRequiredFunctions = {
      ClFunction::SerialInit,
      ClFunction::SerialClose,
      ClFunction::SerialRead,
      ClFunction::SerialWrite,
  };

  using CClSerialChannel::CClSerialChannel;

  void RefreshNames() override;
  bool Open(uint32_t index) override;
  bool SetBaudRate(uint32_t rate) override;

  // The folder named by CLSERIALPATH; empty when it is not set.
  static std::string LibraryFolder();
  // Why there is no library file at `index` when `found` files match `wanted` ("clser*.so or
  // libclser*.so"): the files looked for, where, and how many there are.
  static std::string NoLibraryAt(uint32_t index, size_t found, const std::string& wanted);
#ifdef _WIN32
  // The Windows system folder, searched before CLSERIALPATH.
  static std::string SystemFolder();
#endif
};

}  // namespace vistrel
