#include "transport/NetworkUrl.h"

#include <cctype>
#include <cstring>

namespace vistrel {

namespace {

constexpr unsigned long kMaxPort = 65535;
constexpr size_t kMaxPortDigits = 5;

constexpr const char* kUrlForm = "write it as rfc2217://HOST:PORT or socket://HOST:PORT";

bool ValidPort(const std::string& port) {
  if (port.empty() || port.size() > kMaxPortDigits)
    return false;
  for (char c : port) {
    if (c < '0' || c > '9')
      return false;
  }
  const unsigned long number = std::stoul(port);
  return number >= 1 && number <= kMaxPort;
}

bool ValidHostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == ':' || c == '%';
}

// Whether `text` starts with `scheme`, letters in either case (SOCKET:// as socket://).
bool HasScheme(const std::string& text, const char* scheme) {
  const size_t length = std::strlen(scheme);
  if (text.size() < length)
    return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != scheme[i])
      return false;
  }
  return true;
}

}  // namespace

bool IsNetworkUrl(const std::string& device) {
  return HasScheme(device, kComPortControlScheme) || HasScheme(device, kRawSocketScheme);
}

std::optional<NetworkUrl> ParseNetworkUrl(const std::string& text, std::string& problem) {
  NetworkUrl url;
  std::string rest;
  if (HasScheme(text, kComPortControlScheme)) {
    url.kind = NetworkKind::ComPortControl;
    rest = text.substr(std::strlen(kComPortControlScheme));
  } else if (HasScheme(text, kRawSocketScheme)) {
    url.kind = NetworkKind::Raw;
    rest = text.substr(std::strlen(kRawSocketScheme));
  } else {
    problem = "\"" + text + "\" is no network port address; " + kUrlForm;
    return std::nullopt;
  }
  size_t colon = std::string::npos;
  if (rest.starts_with("[")) {
    const size_t close = rest.find(']');
    if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
      problem = "\"" + text + "\" has an IPv6 address without its closing bracket and port; " +
                "write it as rfc2217://[ADDRESS]:PORT";
      return std::nullopt;
    }
    url.host = rest.substr(1, close - 1);
    colon = close + 1;
  } else {
    colon = rest.rfind(':');
    if (colon != std::string::npos)
      url.host = rest.substr(0, colon);
    if (url.host.find(':') != std::string::npos) {
      problem = "\"" + text + "\" has an IPv6 address without brackets; " +
                "write it as rfc2217://[ADDRESS]:PORT";
      return std::nullopt;
    }
  }
  if (colon == std::string::npos || url.host.empty()) {
    problem = "\"" + text + "\" names no host and port; " + kUrlForm;
    return std::nullopt;
  }
  for (char c : url.host) {
    if (!ValidHostCharacter(c)) {
      problem = "\"" + text + "\" has a character a host name cannot hold; " + kUrlForm;
      return std::nullopt;
    }
  }
  url.port = rest.substr(colon + 1);
  if (!ValidPort(url.port)) {
    problem = "\"" + text + "\" has no port number from 1 to 65535 after the host; " + kUrlForm;
    return std::nullopt;
  }
  return url;
}

}  // namespace vistrel
