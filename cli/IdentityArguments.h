#pragma once

#include <string>

namespace vistrel {

// Checks of the identity subcommands' arguments, made before anything is sent. Each returns
// an empty text for a usable argument, else what is wrong with it.
std::string CheckUserIdArgument(const std::string& text);
std::string CheckCameraIdArgument(const std::string& text);
// Four dot-separated parts of letters and digits ("1.0.2.7").
std::string CheckDeviceVersionArgument(const std::string& text);
// Three single digits separated by dots ("1.2.3").
std::string CheckXmlVersionArgument(const std::string& text);

}  // namespace vistrel
