#include "transport/CClSerial2001.h"

#include <array>

namespace vistrel {

namespace {

constexpr std::array<ClFunction, 12> kFunctions = {
    ClFunction::GetManufacturer,
    ClFunction::GetNumManufacturers,
    ClFunction::SelectManufacturer,
    ClFunction::GetNumSerialPorts,
    ClFunction::GetSerialPortIdentifier,
    ClFunction::SerialInit,
    ClFunction::SerialClose,
    ClFunction::SerialRead,
    ClFunction::SerialWrite,
    ClFunction::GetSupportedBaudRates,
    ClFunction::SetBaudRate,
    ClFunction::GetErrorText,
};

}  // namespace

CClSerial2001::CClSerial2001(IMessagePresenter& messages, std::string library)
    : CClSerialLoadedChannel(messages, std::move(library), kFunctions, "Camera Link 2001") {}

void CClSerial2001::RefreshNames() {
  ClLibrary library;
  if (!LoadInto(library))
    return;  // the list stays as it was
  uint32_t count = 0;
  library.Get<ClFunction::GetNumManufacturers>()(&count);
  std::vector<std::string> names;
  for (uint32_t i = 0; i < count; ++i) {
    char name[kNameBytes] = {};
    uint32_t size = kNameBytes;
    uint32_t version = 0;
    library.Get<ClFunction::GetManufacturer>()(i, name, &size, &version);
    name[kNameBytes - 1] = '\0';
    names.emplace_back(name);
  }
  SetNames(std::move(names));
}

bool CClSerial2001::PrepareOpen(uint32_t index) {
  if (library_.Get<ClFunction::SelectManufacturer>()(PortName(index).c_str()) == 0)
    return true;
  library_.Unload();
  return false;
}

bool CClSerial2001::SetBaudRate(uint32_t rate) {
  return SetCheckedBaudRate(rate, kBaudRefused);
}

}  // namespace vistrel
