#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "camera/CameraSession.h"

namespace vistrel {

// The camera's identity and versions as the about box shows them; placeholders stand for
// what could not be read.
struct CameraData {
  std::string modelName = "??????????";
  std::string cameraId = "??????????";
  std::string firmwareVersion = "?.??";
  std::string fpgaVersion = "?.??";
  std::string xmlVersion = "?.?.?";
  std::array<std::string, 4> deviceVersion{"?", "?", "?", "?"};
  std::string userId = "????????????????";
  // Done when every value was read; otherwise what kept the placeholders in.
  Outcome outcome = Outcome::Done;
};

inline constexpr size_t kUserIdLength = 16;
inline constexpr size_t kCameraIdLength = 10;

std::string FormatVersion(int32_t value);     // 105 -> "1.05"
std::string FormatXmlVersion(int32_t value);  // 123 -> "1.2.3"
// The four parts of a device version "a.b.c.d"; nullopt unless it has exactly three dots.
std::optional<std::array<std::string, 4>> SplitDeviceVersion(const std::string& text);

// Reads the camera data. When the firmware version cannot be read nothing else is tried.
CameraData ReadCameraData(CameraSession& session);

// Writes the user id (at most 16 characters) and reports how it went.
bool WriteUserId(CameraSession& session, const std::string& userId);
// Writes the XML version from its three digit fields (first character of each) and reports.
bool WriteXmlVersion(CameraSession& session, const std::array<std::string, 3>& digits);

}  // namespace vistrel
