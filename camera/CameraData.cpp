#include "camera/CameraData.h"

#include <algorithm>
#include <cstdio>

#include "camera/PassOutcome.h"

#include "core/CommandIds.h"
#include "core/Conversions.h"
#include "core/TimeLimits.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = limits::kReplyMs;
constexpr int kUserIdWriteMs = limits::kReplyMs;
constexpr int kXmlVersionWriteMs = limits::kLongSettingMs;
constexpr int kDeviceVersionWriteMs = limits::kLongSettingMs;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kLastPrintable = 0x7e;

std::string Format(const char* format, int a, int b, int c = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

// Shows the confirmation or the failure of a setting and returns how it ended.
Outcome Report(CameraSession& session, Outcome sent, const std::string& done,
               const std::string& failed) {
  if (sent == Outcome::Done) {
    session.Messages().ShowMessage(done, "", MessageIcon::Information);
    return Outcome::Done;
  }
  session.Messages().ShowMessage(failed, "", MessageIcon::Stop);
  return sent;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsSendableText(std::string_view text) {
  return std::ranges::all_of(text, [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= kFirstPrintable && u <= kLastPrintable;
  });
}

std::string JoinFirstCharacters(const std::vector<std::string>& fields,
                                std::string_view separator) {
  std::string joined;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0)
      joined += separator;
    if (!fields[i].empty())
      joined += fields[i][0];
  }
  return joined;
}

std::optional<std::array<std::string, 3>> XmlVersionDigits(int32_t value) {
  if (value < 0 || value > kXmlVersionMax)
    return std::nullopt;
  return std::array<std::string, 3>{std::to_string(value / 100), std::to_string((value % 100) / 10),
                                    std::to_string(value % 10)};
}

bool CheckSendable(CameraSession& session, const std::string& text, const std::string& what,
                   size_t maxLength) {
  if (text.size() > maxLength) {
    session.Messages().ShowMessage(what + " string is too long !!", "", MessageIcon::Stop);
    return false;
  }
  if (IsSendableText(text))
    return true;
  session.Messages().ShowMessage(
      "The " + what + " may hold only printable ASCII characters, no line breaks.", "",
      MessageIcon::Stop);
  return false;
}

std::string FormatVersion(int32_t value) {
  return Format("%d.%02d", value / 100, value % 100);
}

std::string FormatXmlVersion(int32_t value) {
  return Format("%d.%d.%d", value / 100, (value % 100) / 10, value % 10);
}

std::optional<std::array<std::string, 4>> SplitDeviceVersion(const std::string& text) {
  std::array<std::string, 4> parts;
  size_t start = 0;
  for (size_t i = 0; i < 3; ++i) {
    const size_t dot = text.find('.', start);
    if (dot == std::string::npos)
      return std::nullopt;
    parts[i] = text.substr(start, dot - start);
    start = dot + 1;
  }
  parts[3] = text.substr(start);
  if (parts[3].find('.') != std::string::npos)
    return std::nullopt;
  return parts;
}

CameraData ReadCameraData(CameraSession& session) {
  CameraData data;
  Command& engine = session.Engine();
  PassOutcome pass;
  // Notes how an exchange went; true when it brought its value.
  auto read = [&pass, &engine](Outcome outcome) {
    if (outcome != Outcome::Done) {
      pass.NoteFailure(engine, outcome);
      return false;
    }
    pass.NoteSuccess();
    return true;
  };
  int32_t number = 0;
  std::string text;
  if (!read(engine.GetValue(cmd::VN, number, kQueryMs))) {
    data.outcome = pass.Result();
    return data;
  }
  data.firmwareVersion = FormatVersion(number);
  if (read(session.CheckModelOnce()))
    data.modelName = session.Model().name;
  // Texts are shown as the camera sent them, not in the engine's upper case.
  if (!pass.GivenUp() && read(engine.GetText(cmd::ID, text, kQueryMs)))
    data.cameraId = engine.LastAnswerText().substr(0, kCameraIdLength);
  if (!pass.GivenUp() && read(engine.GetValue(cmd::FPVN, number, kQueryMs)))
    data.fpgaVersion = FormatVersion(number);
  if (!pass.GivenUp() && read(engine.GetText(cmd::UD, text, kQueryMs)))
    data.userId = engine.LastAnswerText();
  if (!pass.GivenUp() && read(engine.GetText(cmd::DV, text, kQueryMs))) {
    if (auto parts = SplitDeviceVersion(text))
      data.deviceVersion = *parts;
  }
  if (!pass.GivenUp() && read(engine.GetValue(cmd::XMLVR, number, kQueryMs)))
    data.xmlVersion = FormatXmlVersion(number);
  data.outcome = pass.Result();
  return data;
}

Reading<std::string> ReadUserId(CameraSession& session) {
  std::string text;
  const Outcome outcome = session.Engine().GetText(cmd::UD, text, kQueryMs);
  if (outcome != Outcome::Done)
    return {outcome, std::nullopt};
  return {outcome, session.Engine().LastAnswerText()};
}

Reading<int32_t> ReadXmlVersion(CameraSession& session) {
  int32_t value = 0;
  const Outcome outcome = session.Engine().GetValue(cmd::XMLVR, value, kQueryMs);
  if (outcome != Outcome::Done)
    return {outcome, std::nullopt};
  return {outcome, value};
}

Outcome WriteUserId(CameraSession& session, const std::string& userId) {
  if (!CheckSendable(session, userId, "User ID", kUserIdLength))
    return Outcome::BadInput;
  return Report(session, session.Engine().SetText(cmd::UD, userId, kUserIdWriteMs),
                "Writing the User ID \"" + userId + "\" has been completed.",
                "Couldn't write the User ID.");
}

Outcome WriteXmlVersion(CameraSession& session, const std::array<std::string, 3>& digits) {
  const std::string joined = JoinFirstCharacters({digits.begin(), digits.end()});
  // Only digits make a version; anything else would be sent as some other number.
  if (!AllDigits(joined)) {
    session.Messages().ShowMessage("Couldn't write the XML Version.", "", MessageIcon::Stop);
    return Outcome::BadInput;
  }
  return Report(session,
                session.Engine().SetValue(cmd::XMLVR, DecimalToInt(joined), kXmlVersionWriteMs),
                "Writing the XML Version has been completed.", "Couldn't write the XML Version.");
}

Outcome WriteDeviceVersion(CameraSession& session, const std::string& text) {
  if (!CheckSendable(session, text, "Device Version"))
    return Outcome::BadInput;
  return Report(session, session.Engine().SetText(cmd::DV, text, kDeviceVersionWriteMs),
                "Writing the Device Version has been completed.",
                "Couldn't write the Device Version.");
}

}  // namespace vistrel
