#pragma once

#include <memory>
#include <string>

namespace vistrel {

// A simulated camera served in this process on a new pseudo-terminal.
class InProcessCamera {
 public:
  virtual ~InProcessCamera() = default;
  // The device to open as the COM port; empty when the camera could not be started.
  virtual std::string DevicePath() const = 0;
};

// Starts a simulated camera of `model` ("" for the default model); null when that fails.
std::unique_ptr<InProcessCamera> StartInProcessCamera(const std::string& model, std::string& error);

}  // namespace vistrel
