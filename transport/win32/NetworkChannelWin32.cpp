// The Windows build has no network ports yet: opening one says so.
#include "transport/NetworkChannel.h"

#include <chrono>
#include <thread>

namespace vistrel {

NetworkChannel::NetworkChannel(IMessagePresenter& messages) : messages_(messages) {}

NetworkChannel::~NetworkChannel() {
  Close();
}

bool NetworkChannel::Open(const std::string& url, uint32_t baudRate, int stopBits) {
  (void)baudRate, (void)stopBits;
  if (reportFailures_)
    messages_.ShowMessage("Failed to open the network port " + url +
                              ": network ports are not available in the Windows build.\n"
                              "Run the program on Linux for network ports, or use a COM port.",
                          "", MessageIcon::Exclamation);
  return false;
}

void NetworkChannel::Close() {}

bool NetworkChannel::Write(const char* bytes, int length) {
  (void)bytes, (void)length;
  return false;
}

int NetworkChannel::Read(char* buffer, int count, int limitMs) {
  (void)buffer, (void)count;
  std::this_thread::sleep_for(std::chrono::milliseconds(limitMs > 0 ? limitMs : 0));
  return 0;
}

void NetworkChannel::PurgeInput() {}

}  // namespace vistrel
