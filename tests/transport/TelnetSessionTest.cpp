// The telnet coding of network ports and the reading of their addresses, without sockets.

#include <gtest/gtest.h>

#include "transport/NetworkUrl.h"
#include "transport/TelnetSession.h"

namespace vistrel {
namespace {

using T = TelnetSession;

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values)
    text.push_back(char(v));
  return text;
}

struct Fed {
  std::string data;
  std::string answers;
};

Fed Feed(TelnetSession& session, const std::string& wire) {
  Fed fed;
  session.Feed(wire.data(), wire.size(), fed.data, fed.answers);
  return fed;
}

TEST(TelnetSessionTest, NegotiationAnswersEachOptionOnce) {
  TelnetSession session;
  session.Greeting();
  // The server takes the COM port option and binary, asks for echo and offers its own.
  const Fed fed =
      Feed(session, Bytes({T::kIac, T::kDo, T::kComPortOption, T::kIac, T::kDo, T::kBinary, T::kIac,
                           T::kWill, T::kBinary, T::kIac, T::kDo, 1, T::kIac, T::kWill, 1}));
  EXPECT_EQ(session.ComPortState(), T::ComPort::Accepted);
  // Answers to our own requests are not answered again; what we do not do is refused.
  EXPECT_EQ(fed.answers, Bytes({T::kIac, T::kWont, 1, T::kIac, T::kDont, 1}));
  EXPECT_TRUE(fed.data.empty());
  // Asked again, a refusal is not repeated: no server makes the session answer without end.
  EXPECT_TRUE(Feed(session, Bytes({T::kIac, T::kDo, 1, T::kIac, T::kWill, 1})).answers.empty());

  TelnetSession refusing;
  refusing.Greeting();
  EXPECT_TRUE(Feed(refusing, Bytes({T::kIac, T::kDont, T::kComPortOption})).answers.empty());
  EXPECT_EQ(refusing.ComPortState(), T::ComPort::Refused);
  EXPECT_TRUE(refusing.HeardTelnet());
}

TEST(TelnetSessionTest, DataBytesAndServerReportsSplitAnywhere) {
  TelnetSession session;
  session.Greeting();
  Feed(session, Bytes({T::kIac, T::kWill, T::kBinary, T::kIac, T::kDo, T::kBinary}));
  // Data with a doubled IAC, a notification, the baud rate answer (its value holds a doubled
  // 255) and more data, fed one byte at a time.
  const std::string wire =
      "TI=1" + Bytes({T::kIac, T::kIac}) + "\r" +
      Bytes({T::kIac, T::kSb, T::kComPortOption, 106, 0x60, T::kIac, T::kSe, T::kIac, T::kSb,
             T::kComPortOption, 101, 0, 1, 0xC2, T::kIac, T::kIac, T::kIac, T::kSe}) +
      "\n";
  std::string data;
  std::string answers;
  for (char c : wire)
    session.Feed(&c, 1, data, answers);
  EXPECT_EQ(data, "TI=1\xff\r\n");
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(session.Reported(T::kSetBaudRate), 0x1C2FFu);
  EXPECT_FALSE(session.Reported(T::kSetParity));
}

TEST(TelnetSessionTest, EncodingDoublesIacAndMarksBareCrOutsideBinary) {
  TelnetSession session;
  const std::string text = "A\xff\rB\r\n";
  EXPECT_EQ(session.EncodeData(text.data(), text.size()), std::string("A\xff\xff\r\0B\r\n", 8));
  // A CR NUL from a server without binary mode is one CR.
  EXPECT_EQ(Feed(session, std::string("X\r\0Y", 4)).data, "X\rY");

  session.Greeting();
  Feed(session, Bytes({T::kIac, T::kDo, T::kBinary}));
  EXPECT_EQ(session.EncodeData(text.data(), text.size()), "A\xff\xff\rB\r\n");
  EXPECT_EQ(T::ComPortRequest(T::kSetBaudRate, T::BaudRateValue(0xFF00)),
            Bytes({T::kIac, T::kSb, T::kComPortOption, 1, 0, 0, 0xFF, 0xFF, 0, T::kIac, T::kSe}));
}

TEST(NetworkUrlTest, AddressesAndTheirProblems) {
  struct Case {
    const char* text;
    bool good;
    const char* host;
    const char* port;
  };
  const Case cases[] = {
      {"rfc2217://camera-7.line:2001", true, "camera-7.line", "2001"},
      {"socket://127.0.0.1:65535", true, "127.0.0.1", "65535"},
      {"rfc2217://[::1]:2000", true, "::1", "2000"},
      {"rfc2217://::1:2000", false, "", ""},
      {"rfc2217://host", false, "", ""},
      {"rfc2217://:2000", false, "", ""},
      {"rfc2217://host:0", false, "", ""},
      {"rfc2217://host:65536", false, "", ""},
      {"rfc2217://host:20x", false, "", ""},
      {"rfc2217://ho st:2000", false, "", ""},
      {"telnet://host:23", false, "", ""},
  };
  for (const Case& c : cases) {
    std::string problem;
    const std::optional<NetworkUrl> url = ParseNetworkUrl(c.text, problem);
    EXPECT_EQ(url.has_value(), c.good) << c.text;
    EXPECT_EQ(problem.empty(), c.good) << c.text;
    if (url && c.good) {
      EXPECT_EQ(url->host, c.host);
      EXPECT_EQ(url->port, c.port);
    }
  }
}

}  // namespace
}  // namespace vistrel
