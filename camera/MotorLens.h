#pragma once

#include <array>
#include <optional>
#include <string>

#include "camera/CameraSession.h"
#include "core/CommandIds.h"
#include "core/TimeLimits.h"

namespace vistrel {

// The motor lens functions and the settings that move and stop them.
inline constexpr int kLensMoveMs = limits::kLongSettingMs;
// The stop that ends a move early (the program is asked to end) or follows a start the
// camera did not confirm waits only this long for the camera.
inline constexpr int kLensStopNowMs = limits::kReplyMs;
inline constexpr int32_t kLensStop = 0;

// One press-and-hold button of the motor lens window: what it shows, where it sits (left,
// top, right, bottom in the window's client area), the setting it starts and the status
// shown while it is held.
struct LensButton {
  const char* text;
  std::array<int, 4> rect;
  int ctrlId;
  int commandId;
  int32_t value;
  const char* status;
  const char* function;   // the lens function's name on the command line
  const char* direction;  // the direction's name on the command line
};

inline constexpr std::array<LensButton, 6> kLensButtons{{
    {"IRIS Open", {20, 10, 80, 40}, 40001, cmd::MLI, 1, "Open", "iris", "open"},
    {"IRIS Close", {90, 10, 150, 40}, 40002, cmd::MLI, 2, "Close", "iris", "close"},
    {"Zoom Wide", {20, 40, 80, 70}, 40003, cmd::MLZ, 1, "Wide", "zoom", "wide"},
    {"Zoom Tele", {90, 40, 150, 70}, 40004, cmd::MLZ, 2, "Tele", "zoom", "tele"},
    {"Focus Near", {20, 70, 80, 100}, 40005, cmd::MLF, 1, "Near", "focus", "near"},
    {"Focus Far", {90, 70, 150, 100}, 40006, cmd::MLF, 2, "Far", "focus", "far"},
}};

// The button for a function and a direction ("zoom", "tele"); nullopt when the direction
// does not belong to the function.
std::optional<LensButton> FindLensButton(const std::string& function, const std::string& direction);

// Starts the button's movement; Done when the camera confirmed it within `timeoutMs`.
Outcome StartLens(Command& engine, const LensButton& button, int timeoutMs = kLensMoveMs);
// Stops the function the button moves; Done when the camera confirmed it within `timeoutMs`.
Outcome StopLens(Command& engine, const LensButton& button, int timeoutMs = kLensMoveMs);

}  // namespace vistrel
