#include "transport/CClSerialVer11.h"

#include <array>
#include <cstdio>

namespace vistrel {

namespace {

constexpr std::array<ClFunction, 11> kFunctions = {
    ClFunction::SerialInit,   ClFunction::SerialClose,           ClFunction::SetBaudRate,
    ClFunction::SerialRead,   ClFunction::SerialWrite,           ClFunction::FlushPort,
    ClFunction::GetErrorText, ClFunction::GetNumPorts,           ClFunction::GetNumBytesAvail,
    ClFunction::GetPortInfo,  ClFunction::GetSupportedBaudRates,
};

}  // namespace

CClSerialVer11::CClSerialVer11(IMessagePresenter& messages, std::string library)
    : CClSerialLoadedChannel(messages, std::move(library), kFunctions, "Camera Link ver.1.1") {}

void CClSerialVer11::RefreshNames() {
  std::vector<std::string> names;  // empty when the library does not load
  ClLibrary library;
  if (LoadInto(library)) {
    uint32_t count = 0;
    library.Get<ClFunction::GetNumPorts>()(&count);
    for (uint32_t i = 0; i < count; ++i) {
      char manufacturer[kNameBytes] = {};
      char port[kNameBytes] = {};
      uint32_t manufacturerSize = kNameBytes;
      uint32_t portSize = kNameBytes;
      uint32_t version = 0;
      library.Get<ClFunction::GetPortInfo>()(i, manufacturer, &manufacturerSize, port, &portSize,
                                             &version);
      manufacturer[kNameBytes - 1] = '\0';
      port[kNameBytes - 1] = '\0';
      names.push_back(std::string(manufacturer) + " - " + port);
    }
  }
  SetNames(std::move(names));
}

bool CClSerialVer11::PrepareOpen(uint32_t index) {
  openName_ = PortName(index);
  if (openName_.empty())
    openName_ = "port " + std::to_string(index);
  return true;
}

bool CClSerialVer11::SetBaudRate(uint32_t rate) {
  char text[kNameBytes * 2 + 64];
  std::snprintf(text, sizeof text, kBaudRefusedIn, openName_.c_str());
  return SetCheckedBaudRate(rate, text);
}

}  // namespace vistrel
