#include "core/TextEscape.h"

#include <cstdint>

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

size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  size_t length = 0;
  uint32_t point = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
    point = lead & 0x1fu;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    point = lead & 0x0fu;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    point = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length)
    return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xc0) != 0x80)
      return 0;
    point = (point << 6) | (byte & 0x3fu);
  }
  // Overlong forms, surrogates and points past Unicode are no characters; C1 controls are
  // controls whatever their spelling.
  static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kLeast[length] || (point >= 0xd800 && point <= 0xdfff) || point > 0x10ffff ||
      point < 0xa0)
    return 0;
  return length;
}

std::string EscapeControlsInMessage(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsPrintableAscii(byte) || text[i] == '\n' || text[i] == '\t') {
      out += text[i++];
    } else if (const size_t length = byte >= 0x80 ? Utf8SequenceLength(text.substr(i)) : 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      AppendEscaped(out, byte);
      ++i;
    }
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
