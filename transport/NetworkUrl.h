#pragma once

#include <optional>
#include <string>

namespace vistrel {

// A serial port served over the network: a terminal server (ser2net and the like) speaking
// the telnet COM port control option, or one that passes the bytes through unchanged.
enum class NetworkKind { ComPortControl, Raw };

inline constexpr const char* kComPortControlScheme = "rfc2217://";
inline constexpr const char* kRawSocketScheme = "socket://";

struct NetworkUrl {
  NetworkKind kind = NetworkKind::Raw;
  std::string host;  // a name or an address; an IPv6 address without its brackets
  std::string port;  // the decimal port number, 1..65535
};

// Whether `device` names a network port (by its scheme) rather than a serial device path.
bool IsNetworkUrl(const std::string& device);

// Reads "rfc2217://HOST:PORT" or "socket://HOST:PORT" (an IPv6 address in brackets:
// "rfc2217://[::1]:2000"). Nullopt with `problem` set, in the operator's words, when the text
// is no such address.
std::optional<NetworkUrl> ParseNetworkUrl(const std::string& text, std::string& problem);

}  // namespace vistrel
