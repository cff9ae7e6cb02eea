/* The Camera Link serial interface as exported by the substitute library (clserSIM.so, also
 * reachable as libclserial.so and libclallserial.so). The names, arguments, baud-rate bits
 * and error codes are those of the public Camera Link serial API; the one library exports the
 * functions of all three generations of that interface.
 *
 * The interface itself is declared in core/ClSerialApi.h. Sizes: every count, index, time
 * limit and bit mask is a 32-bit unsigned integer (uint32_t), as the interface defines them
 * on Windows. A caller that declares them as `unsigned long` on a 64-bit Linux system gets
 * 64-bit values and must not use this library.
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

#ifdef _WIN32
#define CLSIM_EXPORT __declspec(dllexport)
#else
#define CLSIM_EXPORT __attribute__((visibility("default")))
#endif
#ifndef CLSERIAL_EXPORT
#define CLSERIAL_EXPORT CLSIM_EXPORT
#endif

#include "core/ClSerialApi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Not part of the Camera Link interface: reads the environment variables again and replaces
 * the ports and their cameras. CL_ERR_PORT_IN_USE while a port is open. For tests that load
 * the library once and need different set-ups. */
CLSIM_EXPORT int32_t clsimReconfigure(void);

#ifdef __cplusplus
}
#endif

#endif /* VISTREL_SIM_CLSERIAL_API_H */
