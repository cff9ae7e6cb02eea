/* The Camera Link serial interface: the functions a serial library of a frame grabber
 * exports, with their error codes, baud-rate bits and library versions, as the public Camera
 * Link serial API defines them. Every count, index, time limit and bit mask is a 32-bit
 * unsigned integer (uint32_t), as the interface defines them on Windows.
 *
 * The program resolves these functions from a library at run time and calls them through
 * pointers of these types; the substitute library defines them. A file that defines them
 * sets CLSERIAL_EXPORT to its export attribute before including this header.
 */
#ifndef VISTREL_CORE_CLSERIAL_API_H
#define VISTREL_CORE_CLSERIAL_API_H

#include <stdint.h>

#ifndef CLSERIAL_EXPORT
#define CLSERIAL_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
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

CLSERIAL_EXPORT int32_t clSerialInit(uint32_t serialIndex, hSerRef* serialRefPtr);
CLSERIAL_EXPORT void clSerialClose(hSerRef serialRef);
CLSERIAL_EXPORT int32_t clSerialRead(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                                     uint32_t serialTimeout);
CLSERIAL_EXPORT int32_t clSerialWrite(hSerRef serialRef, char* buffer, uint32_t* bufferSize,
                                      uint32_t serialTimeout);
CLSERIAL_EXPORT int32_t clGetManufacturer(uint32_t index, char* manufacturerName,
                                          uint32_t* bufferSize, uint32_t* version);
CLSERIAL_EXPORT int32_t clGetNumManufacturers(uint32_t* numManufacturers);
CLSERIAL_EXPORT int32_t clSelectManufacturer(const char* manufacturerName);
CLSERIAL_EXPORT int32_t clGetNumSerialPorts(uint32_t* numSerialPorts);
CLSERIAL_EXPORT int32_t clGetSerialPortIdentifier(uint32_t serialIndex, char* portId,
                                                  uint32_t* bufferSize);
CLSERIAL_EXPORT int32_t clGetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates);
CLSERIAL_EXPORT int32_t clSetBaudRate(hSerRef serialRef, uint32_t baudRate);
CLSERIAL_EXPORT int32_t clGetErrorText(const char* manufacturerName, int32_t errorCode,
                                       char* errorText, uint32_t* errorTextSize);
CLSERIAL_EXPORT int32_t clFlushPort(hSerRef serialRef);
CLSERIAL_EXPORT int32_t clGetNumPorts(uint32_t* numPorts);
CLSERIAL_EXPORT int32_t clGetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes);
CLSERIAL_EXPORT int32_t clGetPortInfo(uint32_t serialIndex, char* manufacturerName,
                                      uint32_t* nameBytes, char* portId, uint32_t* idBytes,
                                      uint32_t* version);

#ifdef __cplusplus
}
#endif

#endif /* VISTREL_CORE_CLSERIAL_API_H */
