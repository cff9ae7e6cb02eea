#pragma once

#include <array>

namespace vistrel {

// The key sequence that toggles the factory control mode: F12 with Shift and Ctrl held arms
// it, then the three letters of the code follow; a wrong key disarms it.
class AccessCode {
 public:
  enum class Result { Ignored, Armed, Advanced, Disarmed, Completed };

  // `key` is an upper-case letter, or kF12 for F12; modifier keys are not passed here.
  Result Press(int key, bool shift, bool ctrl);
  bool Armed() const { return armed_; }
  int Matched() const { return matched_; }

  static constexpr int kF12 = 0x0100003b;  // Qt::Key_F12
  // The letters, put together at run time.
  static std::array<int, 3> Letters();

 private:
  bool armed_ = false;
  int matched_ = 0;
};

}  // namespace vistrel
