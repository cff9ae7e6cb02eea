// One query and its reply through the command engine, against a responder that answers at once.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Command.h"

namespace {

class InstantResponder : public vistrel::ISerialChannel {
 public:
  bool Write(const std::string& text) override {
    pending_ = text.substr(0, text.find('?')) + "=1234\r\n";
    offset_ = 0;
    return true;
  }
  int Read(char* buffer, int count, int) override {
    int n = 0;
    while (n < count && offset_ < pending_.size())
      buffer[n++] = pending_[offset_++];
    return n;
  }

 private:
  std::string pending_;
  size_t offset_ = 0;
};

class SilentPresenter : public vistrel::IMessagePresenter {
 public:
  void ShowMessage(const std::string&, const std::string&, vistrel::MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

void BM_QueryExchange(benchmark::State& state) {
  InstantResponder channel;
  SilentPresenter presenter;
  vistrel::Command engine(channel, presenter);
  int32_t value = 0;
  for (auto _ : state) {
    if (engine.GetValue(18, value, 2500) != vistrel::Outcome::Done)
      state.SkipWithError("query failed");
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_QueryExchange)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
