#pragma once

#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace vistrel {

// An output stream that hands on whole lines only: each line, once it is complete, goes to
// the target stream with a prefix, under a lock that several of them share, so that lines
// written from several threads never mix. With no target the lines are only kept.
class LineStream final : public std::ostream {
 public:
  LineStream(std::ostream* target, std::string prefix, std::mutex& lock);
  ~LineStream() override;

  // Hands on a last line that lacks its line end.
  void Finish();
  // Every line written, without line ends.
  const std::vector<std::string>& Lines() const { return buffer_.lines; }

 private:
  class Buffer final : public std::streambuf {
   public:
    Buffer(std::ostream* target, std::string prefix, std::mutex& lock)
        : target(target), prefix(std::move(prefix)), lock(lock) {}
    void EndLine();

    std::ostream* target;
    std::string prefix;
    std::mutex& lock;
    std::string line;
    std::vector<std::string> lines;

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
  };

  Buffer buffer_;
};

}  // namespace vistrel
