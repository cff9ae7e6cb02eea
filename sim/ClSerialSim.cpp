// The substitute Camera Link serial library: each port is an in-process simulated camera.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/SimPeer.h"
#include "sim/clserial_api.h"

namespace vistrel {

namespace {

constexpr uint32_t kMaxPorts = 16;
constexpr uint32_t kDefaultBaudMask = 31;
constexpr const char* kDefaultManufacturer = "Vistrel";

struct Port {
  std::string id;
  std::shared_ptr<SimPeer> camera;
  std::mutex mutex;
  std::condition_variable arrived;
  std::string received;  // reply bytes not yet read
  bool open = false;
  uint32_t baud = CL_BAUDRATE_9600;
};

struct Library {
  std::string manufacturer;
  uint32_t baudMask = kDefaultBaudMask;
  std::vector<std::unique_ptr<Port>> ports;
};

std::string Environment(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? std::string(value) : fallback;
}

uint32_t EnvironmentNumber(const char* name, uint32_t fallback, uint32_t maximum) {
  const std::string text = Environment(name, "");
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || value > maximum)
    return fallback;
  return static_cast<uint32_t>(value);
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size() && !text.empty()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    items.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

std::unique_ptr<Library> BuildLibrary() {
  auto library = std::make_unique<Library>();
  library->manufacturer = Environment("VISTREL_CLSIM_MANUFACTURER", kDefaultManufacturer);
  library->baudMask = EnvironmentNumber("VISTREL_CLSIM_BAUD_MASK", kDefaultBaudMask, 0xffffffff);
  const uint32_t count = EnvironmentNumber("VISTREL_CLSIM_PORTS", 1, kMaxPorts);
  const std::vector<std::string> models = SplitList(Environment("VISTREL_CLSIM_MODELS", ""));
  const std::vector<std::string> ids = SplitList(Environment("VISTREL_CLSIM_PORT_IDS", ""));
  SimConfig config;
  config.rateMask = library->baudMask & 0xff;
  config.resetTime = std::chrono::milliseconds(
      EnvironmentNumber("VISTREL_CLSIM_RESET_MS", 2000, 24 * 3600 * 1000));
  for (uint32_t i = 0; i < count; ++i) {
    auto port = std::make_unique<Port>();
    port->id = i < ids.size() ? ids[i] : "SimPort" + std::to_string(i);
    config.model = models.empty() ? "" : models[std::min<size_t>(i, models.size() - 1)];
    port->camera = std::make_shared<SimPeer>(config);
    library->ports.push_back(std::move(port));
  }
  return library;
}

std::mutex gLibraryMutex;
std::unique_ptr<Library> gLibrary;

Library& TheLibrary() {
  std::lock_guard<std::mutex> lock(gLibraryMutex);
  if (!gLibrary)
    gLibrary = BuildLibrary();
  return *gLibrary;
}

// The port behind a serial reference, or nullptr when the reference is not an open port.
Port* OpenPort(hSerRef reference) {
  Library& library = TheLibrary();
  for (const auto& port : library.ports) {
    if (port.get() == reference) {
      std::lock_guard<std::mutex> lock(port->mutex);
      return port->open ? port.get() : nullptr;
    }
  }
  return nullptr;
}

// Copies a text with its terminating zero into a caller's buffer of *size bytes.
int32_t CopyText(const std::string& text, char* buffer, uint32_t* size) {
  if (size == nullptr)
    return CL_ERR_INVALID_PTR;
  const auto needed = static_cast<uint32_t>(text.size() + 1);
  if (buffer == nullptr || *size < needed) {
    *size = needed;
    return CL_ERR_BUFFER_TOO_SMALL;
  }
  std::memcpy(buffer, text.c_str(), needed);
  *size = needed;
  return CL_ERR_NO_ERR;
}

bool IsSingleBit(uint32_t value) {
  return value != 0 && (value & (value - 1)) == 0;
}

struct ErrorText {
  int32_t code;
  const char* text;
};
constexpr ErrorText kErrorTexts[] = {
    {CL_ERR_NO_ERR, "No error"},
    {CL_ERR_BUFFER_TOO_SMALL, "Buffer too small"},
    {CL_ERR_MANU_DOES_NOT_EXIST, "Manufacturer does not exist"},
    {CL_ERR_PORT_IN_USE, "Port in use"},
    {CL_ERR_TIMEOUT, "Timeout"},
    {CL_ERR_INVALID_INDEX, "Invalid index"},
    {CL_ERR_INVALID_REFERENCE, "Invalid reference"},
    {CL_ERR_ERROR_NOT_FOUND, "Error not found"},
    {CL_ERR_BAUD_RATE_NOT_SUPPORTED, "Baud rate not supported"},
    {CL_ERR_OUT_OF_MEMORY, "Out of memory"},
    {CL_ERR_INVALID_PTR, "Invalid pointer"},
    {CL_ERR_UNABLE_TO_LOAD_DLL, "Unable to load library"},
    {CL_ERR_FUNCTION_NOT_FOUND, "Function not found"},
};

}  // namespace

}  // namespace vistrel

using vistrel::OpenPort;
using vistrel::Port;
using vistrel::TheLibrary;

extern "C" {

int32_t clSerialInit(uint32_t serialIndex, hSerRef* serialRefPtr) {
  if (serialRefPtr == nullptr)
    return CL_ERR_INVALID_PTR;
  auto& ports = TheLibrary().ports;
  if (serialIndex >= ports.size())
    return CL_ERR_INVALID_INDEX;
  Port& port = *ports[serialIndex];
  std::lock_guard<std::mutex> lock(port.mutex);
  if (port.open)
    return CL_ERR_PORT_IN_USE;
  port.open = true;
  port.received.clear();
  port.baud = CL_BAUDRATE_9600;
  *serialRefPtr = &port;
  return CL_ERR_NO_ERR;
}

void clSerialClose(hSerRef serialRef) {
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return;
  std::lock_guard<std::mutex> lock(port->mutex);
  port->open = false;
  port->received.clear();
  port->arrived.notify_all();
}

int32_t clSerialRead(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                     uint32_t serialTimeout) {
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  if (buffer == nullptr || bufferSize == nullptr)
    return CL_ERR_INVALID_PTR;
  if (*bufferSize == 0)
    return CL_ERR_NO_ERR;
  std::unique_lock<std::mutex> lock(port->mutex);
  port->arrived.wait_for(lock, std::chrono::milliseconds(serialTimeout),
                         [port] { return !port->received.empty() || !port->open; });
  if (!port->open)
    return CL_ERR_INVALID_REFERENCE;
  if (port->received.empty()) {
    *bufferSize = 0;
    return CL_ERR_TIMEOUT;
  }
  const size_t count = std::min<size_t>(*bufferSize, port->received.size());
  std::memcpy(buffer, port->received.data(), count);
  port->received.erase(0, count);
  *bufferSize = static_cast<uint32_t>(count);
  return CL_ERR_NO_ERR;
}

int32_t clSerialWrite(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                      uint32_t serialTimeout) {
  (void)serialTimeout;  // the camera takes the bytes at once
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  if (buffer == nullptr || bufferSize == nullptr)
    return CL_ERR_INVALID_PTR;
  const std::string replies = port->camera->Exchange(std::string_view(buffer, *bufferSize));
  std::lock_guard<std::mutex> lock(port->mutex);
  if (!port->open)
    return CL_ERR_INVALID_REFERENCE;  // closed meanwhile by another thread
  port->received += replies;
  port->arrived.notify_all();
  return CL_ERR_NO_ERR;
}

int32_t clGetManufacturer(uint32_t index, char* manufacturerName, uint32_t* bufferSize,
                          uint32_t* version) {
  if (index != 0)
    return CL_ERR_INVALID_INDEX;
  if (version != nullptr)
    *version = CL_DLL_VERSION_1_1;
  return vistrel::CopyText(TheLibrary().manufacturer, manufacturerName, bufferSize);
}

int32_t clGetNumManufacturers(uint32_t* numManufacturers) {
  if (numManufacturers == nullptr)
    return CL_ERR_INVALID_PTR;
  *numManufacturers = 1;
  return CL_ERR_NO_ERR;
}

int32_t clSelectManufacturer(const char* manufacturerName) {
  if (manufacturerName == nullptr)
    return CL_ERR_INVALID_PTR;
  return TheLibrary().manufacturer == manufacturerName ? CL_ERR_NO_ERR : CL_ERR_MANU_DOES_NOT_EXIST;
}

int32_t clGetNumSerialPorts(uint32_t* numSerialPorts) {
  return clGetNumPorts(numSerialPorts);
}

int32_t clGetNumPorts(uint32_t* numPorts) {
  if (numPorts == nullptr)
    return CL_ERR_INVALID_PTR;
  *numPorts = static_cast<uint32_t>(TheLibrary().ports.size());
  return CL_ERR_NO_ERR;
}

int32_t clGetSerialPortIdentifier(uint32_t serialIndex, char* portId, uint32_t* bufferSize) {
  const auto& ports = TheLibrary().ports;
  if (serialIndex >= ports.size())
    return CL_ERR_INVALID_INDEX;
  return vistrel::CopyText(ports[serialIndex]->id, portId, bufferSize);
}

int32_t clGetPortInfo(uint32_t serialIndex, char* manufacturerName, uint32_t* nameBytes,
                      char* portId, uint32_t* idBytes, uint32_t* version) {
  const vistrel::Library& library = TheLibrary();
  if (serialIndex >= library.ports.size())
    return CL_ERR_INVALID_INDEX;
  if (version != nullptr)
    *version = CL_DLL_VERSION_1_1;
  const int32_t name = vistrel::CopyText(library.manufacturer, manufacturerName, nameBytes);
  const int32_t id = vistrel::CopyText(library.ports[serialIndex]->id, portId, idBytes);
  return name != CL_ERR_NO_ERR ? name : id;
}

int32_t clGetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates) {
  if (OpenPort(serialRef) == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  if (baudRates == nullptr)
    return CL_ERR_INVALID_PTR;
  *baudRates = TheLibrary().baudMask;
  return CL_ERR_NO_ERR;
}

int32_t clSetBaudRate(hSerRef serialRef, uint32_t baudRate) {
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  if (!vistrel::IsSingleBit(baudRate) || (baudRate & TheLibrary().baudMask) == 0)
    return CL_ERR_BAUD_RATE_NOT_SUPPORTED;
  std::lock_guard<std::mutex> lock(port->mutex);
  port->baud = baudRate;
  return CL_ERR_NO_ERR;
}

int32_t clGetErrorText(const char* manufacturerName, int32_t errorCode, char* errorText,
                       uint32_t* errorTextSize) {
  if (manufacturerName != nullptr && TheLibrary().manufacturer != manufacturerName)
    return CL_ERR_MANU_DOES_NOT_EXIST;
  for (const vistrel::ErrorText& entry : vistrel::kErrorTexts) {
    if (entry.code == errorCode)
      return vistrel::CopyText(entry.text, errorText, errorTextSize);
  }
  return CL_ERR_ERROR_NOT_FOUND;
}

int32_t clFlushPort(hSerRef serialRef) {
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  std::lock_guard<std::mutex> lock(port->mutex);
  port->received.clear();
  return CL_ERR_NO_ERR;
}

int32_t clGetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes) {
  Port* port = OpenPort(serialRef);
  if (port == nullptr)
    return CL_ERR_INVALID_REFERENCE;
  if (numBytes == nullptr)
    return CL_ERR_INVALID_PTR;
  std::lock_guard<std::mutex> lock(port->mutex);
  *numBytes = static_cast<uint32_t>(port->received.size());
  return CL_ERR_NO_ERR;
}

int32_t clsimReconfigure(void) {
  std::lock_guard<std::mutex> lock(vistrel::gLibraryMutex);
  if (vistrel::gLibrary) {
    for (const auto& port : vistrel::gLibrary->ports) {
      std::lock_guard<std::mutex> portLock(port->mutex);
      if (port->open)
        return CL_ERR_PORT_IN_USE;
    }
  }
  vistrel::gLibrary = vistrel::BuildLibrary();
  return CL_ERR_NO_ERR;
}

}  // extern "C"
