#pragma once

#include <string>

#include "camera/CameraSession.h"
#include "camera/SettingFileLines.h"
#include "core/Outcome.h"

namespace vistrel {

enum class SettingFileVariant { AllData, ShippingData };

// The file dialog's settings for camera setting files.
inline constexpr const char* kSettingFileExtension = "cam";
inline constexpr const char* kSettingFileFilter = "Camera setting data (*.cam) | *.cam||";

// The text of a setting file for the table's current values.
std::string BuildSettingFile(CameraSession& session, SettingFileVariant variant);

// Writes the table's current values to `path` (replacing it atomically). Reports a file that
// cannot be written (NotWritten) and a table that does not hold every value of the camera
// (how the last read ended; BadInput when nothing was read).
Outcome WriteSettingFile(CameraSession& session, const std::string& path,
                         SettingFileVariant variant);

// What a load does with a file whose first line names another model than the camera's.
enum class OtherModel {
  Refuse,  // sends nothing and says why
  Ask,     // asks the operator whether to load it anyway
  Load,    // loads it
};

// Sends every applicable line of the file at `path` to the camera and updates the table.
// BadInput, with nothing sent, when the file cannot be read, holds no line to send for the
// connected model, or is for another model and may not be loaded (all reported); otherwise
// Done when every line the camera was sent was taken, else the weightiest failure. The pass
// stops when the channel is lost or the camera stops answering. `report`, when given,
// receives the lines sent, skipped (with why) and refused; without it, the malformed lines
// are shown in one message.
Outcome LoadSettingFile(CameraSession& session, const std::string& path,
                        LoadReport* report = nullptr, OtherModel otherModel = OtherModel::Refuse);

}  // namespace vistrel
