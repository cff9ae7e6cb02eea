#pragma once

#include "transport/CClSerialChannel.h"

namespace vistrel {

// Camera Link 1.1: the library libclallserial.so, found by the loader, which lists every
// Camera Link serial port of the machine; the list holds "manufacturer - port" entries.
class CClSerialVer11 final : public CClSerialChannel {
 public:
#ifdef _WIN32
  static constexpr const char* kLibrary = "clallserial.dll";
#else
  static constexpr const char* kLibrary = "libclallserial.so";
#endif
  static constexpr const char* kBaudRefusedIn = "Selected baud rate is not supported in %s.";

  // `library` is the file to load: a plain name for the loader's search or a path.
  explicit CClSerialVer11(IMessagePresenter& messages, std::string library = kLibrary)
      : CClSerialChannel(messages), libraryFile_(std::move(library)) {}

  void RefreshNames() override;
  bool Open(uint32_t index) override;
  bool SetBaudRate(uint32_t rate) override;

 private:
  std::string libraryFile_;
  std::string openName_;  // the list entry of the open port, for the refusal message
};

}  // namespace vistrel
