#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

inline constexpr int kXmlVersionMax = 999;

// Whether a text can go into an identity setting: printable ASCII only, so that no line
// break or control character ends the line early or slips a second command in.
bool IsSendableText(std::string_view text);
// The first character of each field, in order, with `separator` between two fields; an
// empty field contributes nothing.
std::string JoinFirstCharacters(const std::vector<std::string>& fields,
                                std::string_view separator = {});
// The three digits of an XML version value (123: "1", "2", "3"); nullopt outside 0..999.
std::optional<std::array<std::string, 3>> XmlVersionDigits(int32_t value);

// Reads the camera data. When the firmware version cannot be read nothing else is tried.
CameraData ReadCameraData(CameraSession& session);
// The user id as the camera sent it; no value when the query failed.
Reading<std::string> ReadUserId(CameraSession& session);
// The XML version value; no value when the query failed.
Reading<int32_t> ReadXmlVersion(CameraSession& session);

// Says that `what` ("User ID") is too long or may hold only printable ASCII, and returns
// false, when `text` is longer than `maxLength` or holds more.
bool CheckSendable(CameraSession& session, const std::string& text, const std::string& what,
                   size_t maxLength = std::string::npos);

// Writes the user id (at most 16 printable characters) and reports how it went.
Outcome WriteUserId(CameraSession& session, const std::string& userId);
// Writes the XML version from its three digit fields (first character of each) and reports.
Outcome WriteXmlVersion(CameraSession& session, const std::array<std::string, 3>& digits);
// Writes the device version text ("a.b.c.d") and reports how it went.
Outcome WriteDeviceVersion(CameraSession& session, const std::string& text);

}  // namespace vistrel
