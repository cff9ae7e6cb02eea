#include "sim/InProcessCamera.h"

#include <cstdlib>

#include "sim/PtyServer.h"
#include "sim/SimPeer.h"

namespace vistrel {
namespace {

// Environment variables that shorten the simulated camera's reset silence and one-shot
// adjustment runs (milliseconds), so that scripts and tests need not wait them out.
constexpr const char* kResetMsVariable = "VISTREL_SIM_RESET_MS";
constexpr const char* kAdjustMsVariable = "VISTREL_SIM_ADJUST_MS";
// The longest either may be set to: a day.
constexpr unsigned long kLongestMs = 24UL * 3600 * 1000;

// The variable's whole-number value, or `fallback` when it is unset or not such a number.
std::chrono::milliseconds Duration(const char* name, std::chrono::milliseconds fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text < '0' || *text > '9')
    return fallback;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  return *end == '\0' && value <= kLongestMs ? std::chrono::milliseconds(value) : fallback;
}

SimConfig ConfigFor(const std::string& model) {
  SimConfig config;
  config.model = model;
  config.resetTime = Duration(kResetMsVariable, config.resetTime);
  config.adjustTime = Duration(kAdjustMsVariable, config.adjustTime);
  return config;
}

class PtyCamera final : public InProcessCamera {
 public:
  explicit PtyCamera(const std::string& model)
      : server_(std::make_shared<SimPeer>(ConfigFor(model))) {}
  bool Start(std::string& error) { return server_.Start(&error); }
  std::string DevicePath() const override { return server_.SlavePath(); }

 private:
  PtyServer server_;
};

}  // namespace

std::unique_ptr<InProcessCamera> StartInProcessCamera(const std::string& model,
                                                      std::string& error) {
  auto camera = std::make_unique<PtyCamera>(model);
  if (!camera->Start(error))
    return nullptr;
  return camera;
}

}  // namespace vistrel
