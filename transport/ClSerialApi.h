#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/ClSerialApi.h"

namespace vistrel {

// The functions of the Camera Link serial interface that the bindings resolve (all return 0
// for success); their declarations are in core/ClSerialApi.h.
enum class ClFunction : size_t {
  SerialInit,
  SerialClose,
  SerialRead,
  SerialWrite,
  GetManufacturer,
  GetNumManufacturers,
  SelectManufacturer,
  GetNumSerialPorts,
  GetSerialPortIdentifier,
  GetSupportedBaudRates,
  SetBaudRate,
  GetErrorText,
  FlushPort,
  GetNumPorts,
  GetNumBytesAvail,
  GetPortInfo,
  Count
};

// Exported names, one per ClFunction in the same order.
inline constexpr std::array<const char*, size_t(ClFunction::Count)> kClFunctionNames = {
    "clSerialInit",
    "clSerialClose",
    "clSerialRead",
    "clSerialWrite",
    "clGetManufacturer",
    "clGetNumManufacturers",
    "clSelectManufacturer",
    "clGetNumSerialPorts",
    "clGetSerialPortIdentifier",
    "clGetSupportedBaudRates",
    "clSetBaudRate",
    "clGetErrorText",
    "clFlushPort",
    "clGetNumPorts",
    "clGetNumBytesAvail",
    "clGetPortInfo",
};

using ClSerialRef = hSerRef;

// The pointer type of each function, taken from its declaration.
template <ClFunction F>
struct ClSignature;
#define VISTREL_CL_SIGNATURE(function, name) \
  template <>                                \
  struct ClSignature<ClFunction::function> { \
    using Type = decltype(&::name);          \
  }
VISTREL_CL_SIGNATURE(SerialInit, clSerialInit);
VISTREL_CL_SIGNATURE(SerialClose, clSerialClose);
VISTREL_CL_SIGNATURE(SerialRead, clSerialRead);
VISTREL_CL_SIGNATURE(SerialWrite, clSerialWrite);
VISTREL_CL_SIGNATURE(GetManufacturer, clGetManufacturer);
VISTREL_CL_SIGNATURE(GetNumManufacturers, clGetNumManufacturers);
VISTREL_CL_SIGNATURE(SelectManufacturer, clSelectManufacturer);
VISTREL_CL_SIGNATURE(GetNumSerialPorts, clGetNumSerialPorts);
VISTREL_CL_SIGNATURE(GetSerialPortIdentifier, clGetSerialPortIdentifier);
VISTREL_CL_SIGNATURE(GetSupportedBaudRates, clGetSupportedBaudRates);
VISTREL_CL_SIGNATURE(SetBaudRate, clSetBaudRate);
VISTREL_CL_SIGNATURE(GetErrorText, clGetErrorText);
VISTREL_CL_SIGNATURE(FlushPort, clFlushPort);
VISTREL_CL_SIGNATURE(GetNumPorts, clGetNumPorts);
VISTREL_CL_SIGNATURE(GetNumBytesAvail, clGetNumBytesAvail);
VISTREL_CL_SIGNATURE(GetPortInfo, clGetPortInfo);
#undef VISTREL_CL_SIGNATURE

// The bit the Camera Link specification assigns to a baud rate (CL_BAUDRATE_...).
struct ClBaudBit {
  uint32_t rate;
  uint32_t bit;
};

inline constexpr std::array<ClBaudBit, 8> kClBaudBits = {{
    {9600, CL_BAUDRATE_9600},
    {19200, CL_BAUDRATE_19200},
    {38400, CL_BAUDRATE_38400},
    {57600, CL_BAUDRATE_57600},
    {115200, CL_BAUDRATE_115200},
    {230400, CL_BAUDRATE_230400},
    {460800, CL_BAUDRATE_460800},
    {921600, CL_BAUDRATE_921600},
}};

// 0 for a rate without a bit (never supported).
constexpr uint32_t ClBaudRateBit(uint32_t rate) {
  for (const ClBaudBit& entry : kClBaudBits) {
    if (entry.rate == rate)
      return entry.bit;
  }
  return 0;
}

}  // namespace vistrel
