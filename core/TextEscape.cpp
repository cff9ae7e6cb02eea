#include "core/TextEscape.h"

namespace vistrel {
namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0f];
}

bool IsPrintableAscii(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7f;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPrintableAscii(byte))
      out += c;
    else
      AppendEscaped(out, byte);
  }
  return out;
}

std::string EscapeControlsInMessage(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPrintableAscii(byte) || byte >= 0x80 || c == '\n' || c == '\t')
      out += c;
    else
      AppendEscaped(out, byte);
  }
  return out;
}

bool HasControlCharacter(std::string_view line) {
  while (line.ends_with('\r'))
    line.remove_suffix(1);
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7f)
      return true;
  }
  return false;
}

}  // namespace vistrel
