#include "cli/EscapingBuffer.h"

#include "core/TextEscape.h"

namespace vistrel {
namespace {

// How many bytes a UTF-8 character that starts with `lead` has; 1 for any other byte.
size_t ExpectedLength(unsigned char lead) {
  return lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
}

// Where a character at the end of `text` that still lacks bytes starts; text.size() if none.
size_t IncompleteTail(const std::string& text) {
  for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xc0) != 0x80)
      return ExpectedLength(byte) > back ? text.size() - back : text.size();
  }
  return text.size();
}

std::string EscapeForTerminal(std::string_view text) {
  // A carriage return only takes the cursor back to the start of the line (progress lines).
  std::string out;
  size_t start = 0;
  for (size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', start)) {
    out += EscapeControlsInMessage(text.substr(start, cr - start)) + '\r';
    start = cr + 1;
  }
  return out + EscapeControlsInMessage(text.substr(start));
}

}  // namespace

EscapingBuffer::~EscapingBuffer() {
  Pass(true);
}

bool EscapingBuffer::Pass(bool all) {
  const size_t end = all ? pending_.size() : IncompleteTail(pending_);
  if (end == 0)
    return true;
  const std::string out = EscapeForTerminal(std::string_view(pending_).substr(0, end));
  pending_.erase(0, end);
  return target_->sputn(out.data(), static_cast<std::streamsize>(out.size())) ==
         static_cast<std::streamsize>(out.size());
}

EscapingBuffer::int_type EscapingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  return Pass(false) ? c : traits_type::eof();
}

std::streamsize EscapingBuffer::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<size_t>(n));
  return Pass(false) ? n : 0;
}

int EscapingBuffer::sync() {
  return Pass(false) && target_->pubsync() == 0 ? 0 : -1;
}

}  // namespace vistrel
