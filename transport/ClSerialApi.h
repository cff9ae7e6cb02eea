#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vistrel {

// The functions of the Camera Link serial interface that the bindings resolve, with the
// signatures of the Camera Link specification (all return 0 for success).
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

using ClSerialRef = void*;

template <ClFunction F>
struct ClSignature;
template <>
struct ClSignature<ClFunction::SerialInit> {
  using Type = int32_t (*)(uint32_t serialIndex, ClSerialRef* serialRef);
};
template <>
struct ClSignature<ClFunction::SerialClose> {
  using Type = void (*)(ClSerialRef serialRef);
};
template <>
struct ClSignature<ClFunction::SerialRead> {
  using Type = int32_t (*)(ClSerialRef serialRef, char* buffer, uint32_t* numBytes,
                           uint32_t timeoutMs);
};
template <>
struct ClSignature<ClFunction::SerialWrite> {
  using Type = int32_t (*)(ClSerialRef serialRef, char* buffer, uint32_t* bufferSize,
                           uint32_t timeoutMs);
};
template <>
struct ClSignature<ClFunction::GetManufacturer> {
  using Type = int32_t (*)(uint32_t index, char* name, uint32_t* nameBytes, uint32_t* version);
};
template <>
struct ClSignature<ClFunction::GetNumManufacturers> {
  using Type = int32_t (*)(uint32_t* count);
};
template <>
struct ClSignature<ClFunction::SelectManufacturer> {
  using Type = int32_t (*)(const char* name);
};
template <>
struct ClSignature<ClFunction::GetSupportedBaudRates> {
  using Type = int32_t (*)(ClSerialRef serialRef, uint32_t* baudRates);
};
template <>
struct ClSignature<ClFunction::SetBaudRate> {
  using Type = int32_t (*)(ClSerialRef serialRef, uint32_t baudRate);
};
template <>
struct ClSignature<ClFunction::GetNumPorts> {
  using Type = int32_t (*)(uint32_t* numPorts);
};
template <>
struct ClSignature<ClFunction::GetPortInfo> {
  using Type = int32_t (*)(uint32_t serialIndex, char* manufacturerName, uint32_t* nameBytes,
                           char* portId, uint32_t* idBytes, uint32_t* version);
};

// The bit the Camera Link specification assigns to a baud rate (CL_BAUDRATE_...).
struct ClBaudBit {
  uint32_t rate;
  uint32_t bit;
};

inline constexpr std::array<ClBaudBit, 8> kClBaudBits = {{
    {9600, 1},
    {19200, 2},
    {38400, 4},
    {57600, 8},
    {115200, 16},
    {230400, 32},
    {460800, 64},
    {921600, 128},
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
