#include "camera/MotorLens.h"

#include "core/Command.h"

namespace vistrel {

std::optional<LensButton> FindLensButton(const std::string& function,
                                         const std::string& direction) {
  for (const LensButton& button : kLensButtons) {
    if (function == button.function && direction == button.direction)
      return button;
  }
  return std::nullopt;
}

Outcome StartLens(Command& engine, const LensButton& button, int timeoutMs) {
  return engine.SetValue(button.commandId, button.value, timeoutMs);
}

Outcome StopLens(Command& engine, const LensButton& button, int timeoutMs) {
  return engine.SetValue(button.commandId, kLensStop, timeoutMs);
}

}  // namespace vistrel
