#pragma once

#include <streambuf>
#include <string>

namespace vistrel {

// A stream buffer in front of the program's standard output or error: what is written goes
// on to `target` at once, with C0 and C1 control characters (line breaks, tabs and carriage
// returns aside) and bytes that are no UTF-8 written as \xNN, so that no text the program
// passes on (a file's line, a device list's entry, an argument, a camera's reply) can drive
// the terminal. A character whose bytes come in two writes is held until it is whole.
class EscapingBuffer final : public std::streambuf {
 public:
  explicit EscapingBuffer(std::streambuf* target) : target_(target) {}
  ~EscapingBuffer() override;
  EscapingBuffer(const EscapingBuffer&) = delete;
  EscapingBuffer& operator=(const EscapingBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  // Passes on what is pending, all of it or up to a character still incomplete. False when
  // the target took less.
  bool Pass(bool all);

  std::streambuf* target_;
  std::string pending_;
};

}  // namespace vistrel
