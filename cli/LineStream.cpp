#include "cli/LineStream.h"

namespace vistrel {

LineStream::LineStream(std::ostream* target, std::string prefix, std::mutex& lock)
    : std::ostream(nullptr), buffer_(target, std::move(prefix), lock) {
  rdbuf(&buffer_);
}

LineStream::~LineStream() {
  Finish();
}

void LineStream::Finish() {
  if (!buffer_.line.empty())
    buffer_.EndLine();
}

void LineStream::Buffer::EndLine() {
  if (target) {
    const std::lock_guard<std::mutex> hold(lock);
    *target << prefix << line << '\n' << std::flush;
  }
  lines.push_back(std::move(line));
  line.clear();
}

LineStream::Buffer::int_type LineStream::Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return traits_type::not_eof(c);
  if (traits_type::to_char_type(c) == '\n')
    EndLine();
  else
    line.push_back(traits_type::to_char_type(c));
  return c;
}

std::streamsize LineStream::Buffer::xsputn(const char* s, std::streamsize n) {
  for (std::streamsize i = 0; i < n; ++i)
    overflow(traits_type::to_int_type(s[i]));
  return n;
}

}  // namespace vistrel
