// The command engine on a channel whose far end sends the fuzz input as its byte stream.
// The operations and their time limits come from the end of the input, the received bytes
// from its start, so the two interleave as the engine uses them.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "core/Command.h"
#include "core/Interfaces.h"
#include "fuzz/FuzzCheck.h"

namespace {

using vistrel::fuzz::Check;

// Short limits keep an iteration fast; the engine's waiting logic is the same at any length.
constexpr int kLongestWaitMs = 5;
// Beyond the command table, so ids without a command are tried as well.
constexpr int kLargestCommandId = 700;
constexpr int kLongestBurst = 64;

class StreamChannel : public vistrel::ISerialChannel {
 public:
  explicit StreamChannel(FuzzedDataProvider& data) : data_(data) {}

  bool Write(const std::string&) override { return writeOk; }

  int Read(char* buffer, int count, int limitMs) override {
    const size_t n = std::min<size_t>(static_cast<size_t>(std::max(count, 0)),
                                      std::min<size_t>(data_.remaining_bytes(), kLongestBurst));
    if (n == 0) {
      // Nothing more will arrive: wait the limit out once, as a real channel would.
      if (limitMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(limitMs));
      return 0;
    }
    const std::vector<char> bytes = data_.ConsumeBytes<char>(n);
    std::copy(bytes.begin(), bytes.end(), buffer);
    for (char c : bytes)
      received_ += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return static_cast<int>(bytes.size());
  }

  // Whether the camera's acknowledgement ever came down the line.
  bool ReceivedComplete() const { return received_.find("COMPLETE") != std::string::npos; }

  bool writeOk = true;

 private:
  FuzzedDataProvider& data_;
  std::string received_;
};

class QuietPresenter : public vistrel::IMessagePresenter {
 public:
  void ShowMessage(const std::string&, const std::string&, vistrel::MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

class CheckingTraffic : public vistrel::ITrafficSink {
 public:
  void AppendLine(const std::string& line) override {
    Check(line.find('\n') == std::string::npos, "a logged line holds no line feed");
  }
};

enum class Operation { Query, GetValue, SetValue, WaitComplete, DrainIdle, TakeReply, kLast };

void RunOne(vistrel::Command& engine, StreamChannel& channel, FuzzedDataProvider& data) {
  const auto op = static_cast<Operation>(
      data.ConsumeIntegralInRange<int>(0, static_cast<int>(Operation::kLast) - 1));
  const int limitMs = data.ConsumeIntegralInRange<int>(0, kLongestWaitMs);
  const int commandId = data.ConsumeIntegralInRange<int>(-1, kLargestCommandId);
  channel.writeOk = data.ConsumeIntegralInRange<int>(0, 15) != 0;
  switch (op) {
    case Operation::Query: {
      vistrel::CommandValue value;
      const vistrel::Outcome outcome = engine.Query(commandId, value, limitMs);
      Check(outcome != vistrel::Outcome::NotWritten, "a query writes no file");
      break;
    }
    case Operation::GetValue: {
      int32_t value = 0;
      const vistrel::Outcome outcome = engine.GetValue(commandId, value, limitMs);
      Check(outcome != vistrel::Outcome::NotWritten, "a read writes no file");
      break;
    }
    case Operation::SetValue: {
      const int32_t value = data.ConsumeIntegral<int32_t>();
      if (engine.SetValue(commandId, value, limitMs) == vistrel::Outcome::Done)
        Check(channel.ReceivedComplete(), "a setting that succeeded was acknowledged");
      break;
    }
    case Operation::WaitComplete:
      if (engine.WaitComplete(limitMs) == vistrel::Outcome::Done)
        Check(channel.ReceivedComplete(), "a wait that succeeded saw the acknowledgement");
      break;
    case Operation::DrainIdle:
      engine.DrainIdle();
      break;
    case Operation::TakeReply:
    case Operation::kLast:
      Check(engine.TakeReply().find('\n') == std::string::npos, "a reply holds no line feed");
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider provider(data, size);
  StreamChannel channel(provider);
  QuietPresenter presenter;
  CheckingTraffic traffic;
  vistrel::Command engine(channel, presenter);
  engine.SetTrafficSink(&traffic);
  while (provider.remaining_bytes() > 0)
    RunOne(engine, channel, provider);
  return 0;
}
