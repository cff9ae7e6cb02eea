// vistrel-sim: one simulated camera on a new pseudo-terminal.

#include <pthread.h>
#include <signal.h>

#include <iostream>
#include <memory>
#include <string>

#include "sim/PtyServer.h"
#include "sim/SimOptions.h"

namespace {

// "SIM" and the number of the pseudo-terminal (/dev/pts/7: SIM0000007): cameras served at the
// same time have distinct ids.
std::string DefaultCameraId(const std::string& slavePath) {
  const size_t digits = slavePath.find_last_not_of("0123456789") + 1;
  std::string number = slavePath.substr(digits);
  constexpr size_t kDigits = 7;
  if (number.size() > kDigits)
    number = number.substr(number.size() - kDigits);
  return "SIM" + std::string(kDigits - number.size(), '0') + number;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vistrel;
  SimProgramOptions options;
  const int status = ParseSimProgramOptions(argc, argv, options, std::cout, std::cerr);
  if (status >= 0)
    return status;

  // The signals that end the program are taken by sigwait below, not by handlers; block them
  // before any thread starts so that every thread inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  options.camera.log = [](const std::string& text) {
    std::cerr << "vistrel-sim: " << text << std::endl;
  };
  auto camera = std::make_shared<SimPeer>(options.camera);
  PtyServer server(camera, options.server);
  std::string error;
  if (!server.Start(&error)) {
    std::cerr << "vistrel-sim: " << error << std::endl;
    return 1;
  }
  camera->With([&server](SimCamera& c) { c.NameIfUnnamed(DefaultCameraId(server.SlavePath())); });
  std::cout << server.SlavePath() << std::endl;
  std::cerr << "vistrel-sim: " << camera->With([](SimCamera& c) { return c.Model().Name(); })
            << " on " << server.SlavePath() << std::endl;

  int signal = 0;
  sigwait(&stopSignals, &signal);
  server.Stop();
  return 0;
}
