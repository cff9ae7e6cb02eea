#pragma once

#include <string>

namespace vistrel {

// The folder that holds the stored settings and the COM port links:
// $VISTREL_CONFIG_DIR when set, else
// ${XDG_CONFIG_HOME:-~/.config}/Orvex/QX-70500-VLNK Camera Vistrel.
std::string SettingsFolder();

}  // namespace vistrel
