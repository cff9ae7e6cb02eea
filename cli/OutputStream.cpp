#include "cli/OutputStream.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/StopSignals.h"

namespace vistrel {
namespace {

long WriteSome(int fd, const char* text, size_t count) {
#ifdef _WIN32
  return ::_write(fd, text, static_cast<unsigned>(count));
#else
  return static_cast<long>(::write(fd, text, count));
#endif
}

}  // namespace

OutputStreamBuf::OutputStreamBuf(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

OutputStreamBuf::~OutputStreamBuf() {
  Flush();
}

bool OutputStreamBuf::Flush() {
  const char* next = pbase();
  const char* end = pptr();
  while (!failed_ && next < end) {
    const long n = WriteSome(fd_, next, static_cast<size_t>(end - next));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      failed_ = true;
      StopSignals::NoteOutputClosed();
      break;
    }
    next += n;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return !failed_;
}

OutputStreamBuf::int_type OutputStreamBuf::overflow(int_type c) {
  if (!Flush())
    return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (c == '\n' && !Flush())
    return traits_type::eof();
  return c;
}

std::streamsize OutputStreamBuf::xsputn(const char* text, std::streamsize count) {
  std::streamsize done = 0;
  while (done < count) {
    if (pptr() == epptr() && !Flush())
      return done;
    const std::streamsize room = epptr() - pptr();
    const std::streamsize chunk = std::min(room, count - done);
    std::memcpy(pptr(), text + done, static_cast<size_t>(chunk));
    pbump(static_cast<int>(chunk));
    done += chunk;
  }
  // Line by line: what is complete goes out now.
  if (std::memchr(text, '\n', static_cast<size_t>(count)) != nullptr)
    Flush();
  return done;
}

int OutputStreamBuf::sync() {
  return Flush() ? 0 : -1;
}

void IgnoreBrokenPipes() {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace vistrel
