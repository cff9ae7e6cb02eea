/* The Camera Link serial interface as exported by the substitute library (clserSIM.so, also
 * reachable as libclserial.so and libclallserial.so). The names, arguments, baud-rate bits
 * and error codes are those of the public Camera Link serial API; the one library exports the
 * functions of all three generations of that interface.
 *
 * Sizes: every count, index, time limit and bit mask is a 32-bit unsigned integer
 * (uint32_t), as the interface defines them on Windows. A caller that declares them as
 * `unsigned long` on a 64-bit Linux system gets 64-bit values and must not use this library.
 *
 * Semantics of the substitute:
 *  - clSerialRead waits (without spinning) up to serialTimeout ms for the first byte and
 *    then delivers whatever has arrived, at most *bufferSize bytes; *bufferSize is set to the
 *    number delivered. With nothing within the time limit it returns CL_ERR_TIMEOUT and sets
 *    *bufferSize to 0; no byte is ever dropped.
 *  - clSerialWrite hands the bytes to the port's simulated camera at once.
 *  - clGetErrorText has the signature of the latest generation (manufacturer name first).
 *  - Each port keeps its camera while the library stays loaded.
 *
 * Environment variables, read when the library is first used:
 *   VISTREL_CLSIM_PORTS         number of ports, 0..16 (default 1)
 *   VISTREL_CLSIM_MODELS        comma-separated model per port; the last one repeats
 *                               (default QX-70500C-VLNK)
 *   VISTREL_CLSIM_MANUFACTURER  manufacturer name (default "Vistrel")
 *   VISTREL_CLSIM_PORT_IDS      comma-separated port identifiers (default SimPort0, SimPort1..)
 *   VISTREL_CLSIM_BAUD_MASK     supported baud-rate bits (default 31: 9600 to 115200); the
 *                               cameras report the same mask for SBDRT
 *   VISTREL_CLSIM_RESET_MS      the cameras' silence after a reset (default 2000)
 */
#ifndef VISTREL_SIM_CLSERIAL_API_H
#define VISTREL_SIM_CLSERIAL_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef _WIN32
#define CLSIM_EXPORT __declspec(dllexport)
#else
#define CLSIM_EXPORT __attribute__((visibility("default")))
#endif

typedef void* hSerRef;

#define CL_ERR_NO_ERR 0
#define CL_ERR_BUFFER_TOO_SMALL -10001
#define CL_ERR_MANU_DOES_NOT_EXIST -10002
#define CL_ERR_PORT_IN_USE -10003
#define CL_ERR_TIMEOUT -10004
#define CL_ERR_INVALID_INDEX -10005
#define CL_ERR_INVALID_REFERENCE -10006
#define CL_ERR_ERROR_NOT_FOUND -10007
#define CL_ERR_BAUD_RATE_NOT_SUPPORTED -10008
#define CL_ERR_OUT_OF_MEMORY -10009
#define CL_ERR_INVALID_PTR -10011
#define CL_ERR_UNABLE_TO_LOAD_DLL -10098
#define CL_ERR_FUNCTION_NOT_FOUND -10099

#define CL_BAUDRATE_9600 1
#define CL_BAUDRATE_19200 2
#define CL_BAUDRATE_38400 4
#define CL_BAUDRATE_57600 8
#define CL_BAUDRATE_115200 16
#define CL_BAUDRATE_230400 32
#define CL_BAUDRATE_460800 64
#define CL_BAUDRATE_921600 128

#define CL_DLL_VERSION_NO_VERSION 1
#define CL_DLL_VERSION_1_0 2
#define CL_DLL_VERSION_1_1 3

CLSIM_EXPORT int32_t clSerialInit(uint32_t serialIndex, hSerRef* serialRefPtr);
CLSIM_EXPORT void clSerialClose(hSerRef serialRef);
CLSIM_EXPORT int32_t clSerialRead(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                                  uint32_t serialTimeout);
CLSIM_EXPORT int32_t clSerialWrite(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                                   uint32_t serialTimeout);
CLSIM_EXPORT int32_t clGetManufacturer(uint32_t index, char* manufacturerName, uint32_t* bufferSize,
                                       uint32_t* version);
CLSIM_EXPORT int32_t clGetNumManufacturers(uint32_t* numManufacturers);
CLSIM_EXPORT int32_t clSelectManufacturer(const char* manufacturerName);
CLSIM_EXPORT int32_t clGetNumSerialPorts(uint32_t* numSerialPorts);
CLSIM_EXPORT int32_t clGetSerialPortIdentifier(uint32_t serialIndex, char* portId,
                                               uint32_t* bufferSize);
CLSIM_EXPORT int32_t clGetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates);
CLSIM_EXPORT int32_t clSetBaudRate(hSerRef serialRef, uint32_t baudRate);
CLSIM_EXPORT int32_t clGetErrorText(const char* manufacturerName, int32_t errorCode,
                                    char* errorText, uint32_t* errorTextSize);
CLSIM_EXPORT int32_t clFlushPort(hSerRef serialRef);
CLSIM_EXPORT int32_t clGetNumPorts(uint32_t* numPorts);
CLSIM_EXPORT int32_t clGetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes);
CLSIM_EXPORT int32_t clGetPortInfo(uint32_t serialIndex, char* manufacturerName,
                                   uint32_t* nameBytes, char* portId, uint32_t* idBytes,
                                   uint32_t* version);

/* Not part of the Camera Link interface: reads the environment variables again and replaces
 * the ports and their cameras. CL_ERR_PORT_IN_USE while a port is open. For tests that load
 * the library once and need different set-ups. */
CLSIM_EXPORT int32_t clsimReconfigure(void);

#ifdef __cplusplus
}
#endif

#endif /* VISTREL_SIM_CLSERIAL_API_H */
