#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "cli/EscapingBuffer.h"
#include "cli/Json.h"

namespace vistrel {
namespace {

// Text from files, device lists, arguments and cameras, as JSON and as the terminal gets it:
// UTF-8 characters stay, C0 and C1 controls and bytes that are no UTF-8 are escaped.
TEST(JsonTest, CameraTextsBecomeValidStrings) {
  struct Case {
    std::string text, json, terminal;
  };
  const Case cases[] = {
      {"a\"b\\c", "\"a\\\"b\\\\c\"", "a\"b\\c"},
      {std::string("\x1b[2J\n\xff", 6), "\"\\u001b[2J\\u000a\\\\xff\"", "\\x1b[2J\n\\xff"},
      {"TX\x9b=1", "\"TX\\\\x9b=1\"", "TX\\x9b=1"},
      {"\xc2\x9b"
       "31m",
       "\"\\u009b31m\"", "\\xc2\\x9b31m"},
      {"\xe2\x82\xac", "\"\xe2\x82\xac\"", "\xe2\x82\xac"},
      {"\xc0\xaf\xed\xa0\x80", "\"\\\\xc0\\\\xaf\\\\xed\\\\xa0\\\\x80\"",
       "\\xc0\\xaf\\xed\\xa0\\x80"},
      {"12 s\r13 s\t", "\"12 s\\u000d13 s\\u0009\"", "12 s\r13 s\t"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JsonString(c.text), c.json) << c.text;
    std::ostringstream target;
    {
      EscapingBuffer buffer(target.rdbuf());
      std::ostream out(&buffer);
      // A character cut between two writes is still one character.
      const size_t half = c.text.size() / 2;
      out << c.text.substr(0, half) << std::flush << c.text.substr(half);
    }
    EXPECT_EQ(target.str(), c.terminal) << c.text;
  }
  JsonWriter w;
  w.BeginObject().Value("n", 1).BeginArray("list").BeginObject().Value("t", true).EndObject();
  w.BeginObject().Null("x").EndObject().EndArray().EndObject();
  EXPECT_EQ(w.Text(), "{\"n\":1,\"list\":[{\"t\":true},{\"x\":null}]}");
}

}  // namespace
}  // namespace vistrel
