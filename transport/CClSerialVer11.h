#pragma once

#include "transport/CClSerialChannel.h"

namespace vistrel {

// Camera Link 1.1: the library libclallserial.so, found by the loader, which lists every
// Camera Link serial port of the machine; the list holds "manufacturer - port" entries.
class CClSerialVer11 final : public CClSerialLoadedChannel {
 public:
#ifdef _WIN32
  static constexpr const char* kLibrary = "clallserial.dll";
#else
  static constexpr const char* kLibrary = "libclallserial.so";
#endif
  static constexpr const char* kBaudRefusedIn = "Selected baud rate is not supported in %s.";

  // `library` is the file to load: a plain name for the loader's search or a path.
  explicit CClSerialVer11(IMessagePresenter& messages, std::string library = kLibrary);

  void RefreshNames() override;
  bool SetBaudRate(uint32_t rate) override;

 private:
  // Keeps the list entry of the port for the refusal message.
  bool PrepareOpen(uint32_t index) override;

  std::string openName_;  // the list entry of the open port, for the refusal message
};

}  // namespace vistrel
