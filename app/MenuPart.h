#pragma once

namespace vistrel {

// A part of the main window that carries out menu commands: the windows it owns, or the
// actions it offers. The menu asks each part in turn until one takes the command.
class IMenuPart {
 public:
  virtual ~IMenuPart() = default;
  // Carries out the command `menuId`; false for a command the part does not have.
  virtual bool Run(int menuId) = 0;
};

}  // namespace vistrel
