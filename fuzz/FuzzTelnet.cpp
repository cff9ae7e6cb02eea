// The receive side of the telnet session of a network serial port: what a server sends, in
// pieces of any size, comes out as data and negotiation answers. The first byte picks how
// the rest is read: as the server's raw byte stream, or as a script of data runs and telnet
// commands (option talk, NOPs, subnegotiations of any length) whose data must come out
// exactly once, in order, whatever commands surround it and wherever the pieces are cut.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "transport/TelnetSession.h"

namespace {

using vistrel::TelnetSession;
using vistrel::fuzz::Check;

constexpr char kIac = char(TelnetSession::kIac);
constexpr char kNop = char(241);
constexpr size_t kLongestPiece = 64;
constexpr size_t kLongestRun = 300;

struct Output {
  std::string data;
  std::string answers;
};

// Feeds `stream` to `session` in pieces whose sizes come from `sizes`.
Output FeedInPieces(TelnetSession& session, const std::string& stream, FuzzedDataProvider& sizes) {
  Output out;
  for (size_t at = 0; at < stream.size();) {
    const size_t piece = sizes.ConsumeIntegralInRange<size_t>(1, kLongestPiece);
    const size_t length = std::min(piece, stream.size() - at);
    session.Feed(stream.data() + at, length, out.data, out.answers);
    at += length;
  }
  return out;
}

// Appends data bytes as the server sends them: IAC doubled.
void AppendData(std::string& stream, const std::string& bytes) {
  for (char c : bytes) {
    stream += c;
    if (c == kIac)
      stream += kIac;
  }
}

// A script: the server's stream and the data it carries. Binary mode is taken up first, so
// a CR NUL pair is data like any other bytes; the script never turns it off again.
void RunScript(FuzzedDataProvider& input) {
  std::string stream{kIac, char(TelnetSession::kWill), char(TelnetSession::kBinary)};
  std::string expected;
  size_t verbs = 1;
  auto comPort = TelnetSession::ComPort::Pending;
  bool ended = false;  // inside a subnegotiation that never ends
  while (input.remaining_bytes() > 0 && !ended) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
      case 0: {
        const std::string run = input.ConsumeRandomLengthString(kLongestRun);
        AppendData(stream, run);
        expected += run;
        break;
      }
      case 1:
        stream += {kIac, kNop};
        break;
      case 2: {
        const auto verb =
            input.ConsumeIntegralInRange<uint8_t>(TelnetSession::kWill, TelnetSession::kDont);
        const auto option = input.ConsumeIntegralInRange<uint8_t>(1, 255);
        stream += {kIac, char(verb), char(option)};
        ++verbs;
        if (option == TelnetSession::kComPortOption && verb == TelnetSession::kDo)
          comPort = TelnetSession::ComPort::Accepted;
        else if (option == TelnetSession::kComPortOption && verb == TelnetSession::kDont)
          comPort = TelnetSession::ComPort::Refused;
        break;
      }
      default: {
        // A subnegotiation, ended or not: an endless one swallows the rest of the stream.
        stream += {kIac, char(TelnetSession::kSb)};
        AppendData(stream, input.ConsumeRandomLengthString(kLongestRun * 4));
        ended = !input.ConsumeBool();  // no SE: nothing after it is data
        if (!ended)
          stream += {kIac, char(TelnetSession::kSe)};
        break;
      }
    }
  }
  TelnetSession session;
  session.Greeting();
  FuzzedDataProvider sizes(reinterpret_cast<const uint8_t*>(stream.data()), stream.size());
  const Output out = FeedInPieces(session, stream, sizes);
  Check(out.data == expected, "every data byte comes out once, in order");
  Check(out.answers.size() <= 3 * verbs, "at most one answer to each option command");
  Check(session.ComPortState() == comPort, "the COM port option follows the server's last word");
}

void RunRawStream(FuzzedDataProvider& input) {
  const std::string stream = input.ConsumeRemainingBytesAsString();
  TelnetSession session;
  session.Greeting();
  FuzzedDataProvider sizes(reinterpret_cast<const uint8_t*>(stream.data()), stream.size());
  const Output out = FeedInPieces(session, stream, sizes);
  Check(out.data.size() <= stream.size(), "no more data than bytes received");
  Check(out.answers.size() <= stream.size(), "no more answers than commands received");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider input(bytes, size);
  if (input.ConsumeBool())
    RunScript(input);
  else
    RunRawStream(input);
  return 0;
}
