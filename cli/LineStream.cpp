#include "cli/LineStream.h"

namespace vistrel {

LineStream::LineStream(HandOn handOn) : std::ostream(nullptr), buffer_(std::move(handOn)) {
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
  if (handOn)
    handOn(line);
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

CameraOrderedOutput::CameraOrderedOutput(size_t cameras, std::ostream& out, std::ostream& err)
    : out_(out), err_(err), held_(cameras), finished_(cameras, false) {}

void CameraOrderedOutput::Put(bool toErr, const std::string& text) {
  (toErr ? err_ : out_) << text << std::flush;
}

void CameraOrderedOutput::Write(size_t camera, bool toErr, const std::string& text) {
  const std::lock_guard<std::mutex> hold(mutex_);
  if (camera == turn_)
    Put(toErr, text);
  else
    held_[camera].push_back({toErr, text});
}

void CameraOrderedOutput::Finish(size_t camera) {
  const std::lock_guard<std::mutex> hold(mutex_);
  finished_[camera] = true;
  // The turn passes on over every camera that has finished meanwhile; the first one still
  // running hands on what it kept and then writes straight through.
  while (turn_ < finished_.size() && finished_[turn_]) {
    if (++turn_ == finished_.size())
      break;
    for (const Held& held : held_[turn_])
      Put(held.toErr, held.text);
    held_[turn_].clear();
    held_[turn_].shrink_to_fit();
  }
}

}  // namespace vistrel
