#include "app/Simulator.h"

namespace vistrel {

std::unique_ptr<InProcessCamera> StartInProcessCamera(const std::string& model,
                                                      std::string& error) {
  (void)model;
  error = "the simulated camera is not available in this build";
  return nullptr;
}

}  // namespace vistrel
