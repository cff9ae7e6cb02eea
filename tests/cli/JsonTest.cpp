#include <gtest/gtest.h>

#include "cli/Json.h"

namespace vistrel {
namespace {

TEST(JsonTest, CameraTextsBecomeValidStrings) {
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString(std::string("\x1b[2J\n\xff", 6)), "\"\\u001b[2J\\u000a\\u00ff\"");
  JsonWriter w;
  w.BeginObject().Value("n", 1).BeginArray("list").BeginObject().Value("t", true).EndObject();
  w.BeginObject().Null("x").EndObject().EndArray().EndObject();
  EXPECT_EQ(w.Text(), "{\"n\":1,\"list\":[{\"t\":true},{\"x\":null}]}");
}

}  // namespace
}  // namespace vistrel
