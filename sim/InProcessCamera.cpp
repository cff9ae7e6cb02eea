#include "sim/InProcessCamera.h"

#include "sim/PtyServer.h"
#include "sim/SimPeer.h"

namespace vistrel {
namespace {

SimConfig ConfigFor(const std::string& model) {
  SimConfig config;
  config.model = model;
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
