#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace vistrel {

// An output stream that hands on whole lines only: each line, once it is complete, goes to
// `handOn` (without its line end), so that lines written from several threads never mix.
// Without `handOn` the lines are only kept.
class LineStream final : public std::ostream {
 public:
  using HandOn = std::function<void(const std::string& line)>;

  explicit LineStream(HandOn handOn);
  ~LineStream() override;

  // Hands on a last line that lacks its line end.
  void Finish();
  // Every line written, without line ends.
  const std::vector<std::string>& Lines() const { return buffer_.lines; }

 private:
  class Buffer final : public std::streambuf {
   public:
    explicit Buffer(HandOn handOn) : handOn(std::move(handOn)) {}
    void EndLine();

    HandOn handOn;
    std::string line;
    std::vector<std::string> lines;

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
  };

  Buffer buffer_;
};

// The output of a run over several cameras, in the order the cameras are listed: the first
// camera that has not finished writes straight through; a camera listed after it keeps its
// lines in memory until every camera before it has finished, and then hands them on in the
// order it wrote them. Thread-safe.
class CameraOrderedOutput {
 public:
  CameraOrderedOutput(size_t cameras, std::ostream& out, std::ostream& err);

  // Text (whole lines, with their line ends) that camera `camera` writes to stdout or stderr.
  void Write(size_t camera, bool toErr, const std::string& text);
  // Camera `camera` has written all it writes.
  void Finish(size_t camera);

 private:
  struct Held {
    bool toErr;
    std::string text;
  };
  void Put(bool toErr, const std::string& text);

  std::mutex mutex_;
  std::ostream& out_;
  std::ostream& err_;
  size_t turn_ = 0;  // the camera that writes straight through
  std::vector<std::vector<Held>> held_;
  std::vector<bool> finished_;
};

}  // namespace vistrel
