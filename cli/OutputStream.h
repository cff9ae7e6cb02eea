#pragma once

#include <array>
#include <streambuf>

namespace vistrel {

// Standard output or error of vistrelctl: whole lines go out as they are complete. A write
// that fails (the reader of a pipe has gone, a full disk) is noted as a stop
// (StopSignals::NoteOutputClosed) instead of ending the process, and what follows is dropped.
class OutputStreamBuf final : public std::streambuf {
 public:
  explicit OutputStreamBuf(int fd);
  ~OutputStreamBuf() override;
  OutputStreamBuf(const OutputStreamBuf&) = delete;
  OutputStreamBuf& operator=(const OutputStreamBuf&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  bool Flush();

  int fd_;
  bool failed_ = false;
  std::array<char, 4096> buffer_{};
};

// Ignores SIGPIPE, so that a closed pipe is a failed write, seen by OutputStreamBuf.
void IgnoreBrokenPipes();

}  // namespace vistrel
