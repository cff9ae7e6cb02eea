#include "camera/CameraData.h"

#include <cstdio>

#include "camera/PassOutcome.h"

#include "core/CommandIds.h"
#include "core/Conversions.h"

namespace vistrel {
namespace {

constexpr int kQueryMs = 2500;

std::string Format(const char* format, int a, int b, int c = 0) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

}  // namespace

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
  Command& engine = session.engine;
  PassOutcome pass;
  // Notes how an exchange went; true when it brought its value.
  auto read = [&pass, &engine](bool ok) {
    ok ? pass.NoteSuccess() : pass.NoteFailure(engine);
    return ok;
  };
  int32_t number = 0;
  std::string text;
  if (!read(engine.GetValue(cmd::VN, number, kQueryMs))) {
    data.outcome = pass.Result();
    return data;
  }
  data.firmwareVersion = FormatVersion(number);
  if (read(CheckModel(engine, session.messages, session.model)))
    data.modelName = session.model.name;
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

bool WriteUserId(CameraSession& session, const std::string& userId) {
  if (userId.size() > kUserIdLength) {
    session.messages.ShowMessage("User ID string is too long !!", "", MessageIcon::Stop);
    return false;
  }
  if (session.engine.SetText(cmd::UD, userId, kQueryMs)) {
    session.messages.ShowMessage("Writing the User ID \"" + userId + "\" has been completed.", "",
                                 MessageIcon::Information);
    return true;
  }
  session.messages.ShowMessage("Couldn't write the User ID.", "", MessageIcon::Stop);
  return false;
}

bool WriteXmlVersion(CameraSession& session, const std::array<std::string, 3>& digits) {
  std::string joined;
  for (const std::string& digit : digits) {
    if (!digit.empty())
      joined += digit[0];
  }
  if (session.engine.SetValue(cmd::XMLVR, DecimalToInt(joined), 10000)) {
    session.messages.ShowMessage("Writing the XML Version has been completed.", "",
                                 MessageIcon::Information);
    return true;
  }
  session.messages.ShowMessage("Couldn't write the XML Version.", "", MessageIcon::Stop);
  return false;
}

}  // namespace vistrel
