#pragma once

#include "transport/CClSerialChannel.h"

namespace vistrel {

// Camera Link 2001: the library libclserial.so, found by the loader, which serves the
// frame grabbers of several manufacturers; the list holds the manufacturer names.
class CClSerial2001 final : public CClSerialLoadedChannel {
 public:
#ifdef _WIN32
  static constexpr const char* kLibrary = "clserial.dll";
#else
  static constexpr const char* kLibrary = "libclserial.so";
#endif

  // `library` is the file to load: a plain name for the loader's search or a path.
  explicit CClSerial2001(IMessagePresenter& messages, std::string library = kLibrary);

  void RefreshNames() override;
  bool SetBaudRate(uint32_t rate) override;

 private:
  // Selects the manufacturer of the list entry.
  bool PrepareOpen(uint32_t index) override;
};

}  // namespace vistrel
