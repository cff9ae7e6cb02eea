#include "cli/IdentityArguments.h"

#include <algorithm>
#include <cctype>

#include "camera/CameraData.h"
#include "core/TextEscape.h"

namespace vistrel {
namespace {

std::string CheckIdText(const std::string& text, size_t maxLength, const std::string& what) {
  if (text.size() > maxLength)
    return what + " has at most " + std::to_string(maxLength) + " characters, not " +
           std::to_string(text.size());
  if (!IsSendableText(text))
    return what + " may hold only printable ASCII characters, no line breaks";
  return {};
}

bool IsAlphanumeric(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80;
}

}  // namespace

std::string CheckUserIdArgument(const std::string& text) {
  return CheckIdText(text, kUserIdLength, "a user id");
}

std::string CheckCameraIdArgument(const std::string& text) {
  return CheckIdText(text, kCameraIdLength, "a camera id");
}

std::string CheckDeviceVersionArgument(const std::string& text) {
  const std::string wanted =
      "a device version is four parts of letters and digits separated "
      "by dots (1.0.2.7): " +
      EscapeControlsInMessage(text);
  const auto parts = SplitDeviceVersion(text);
  if (!parts)
    return wanted;
  for (const std::string& part : *parts) {
    if (part.empty() || !std::ranges::all_of(part, IsAlphanumeric))
      return wanted;
  }
  return {};
}

std::string CheckXmlVersionArgument(const std::string& text) {
  const bool ok = text.size() == 5 && text[1] == '.' && text[3] == '.' &&
                  std::isdigit(static_cast<unsigned char>(text[0])) &&
                  std::isdigit(static_cast<unsigned char>(text[2])) &&
                  std::isdigit(static_cast<unsigned char>(text[4]));
  return ok ? std::string()
            : "an XML version is three digits separated by dots (1.2.3): " +
                  EscapeControlsInMessage(text);
}

}  // namespace vistrel
