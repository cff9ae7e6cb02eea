#pragma once

#include <memory>
#include <string>

namespace vistrel {

// A simulated camera served in this process on a new pseudo-terminal, for the programs'
// --simulate option.
class InProcessCamera {
 public:
  virtual ~InProcessCamera() = default;
  // The device to open as the COM port.
  virtual std::string DevicePath() const = 0;
};

// Starts a simulated camera of `model` ("" for the default model); null with `error` set
// when that fails.
std::unique_ptr<InProcessCamera> StartInProcessCamera(const std::string& model, std::string& error);

}  // namespace vistrel
