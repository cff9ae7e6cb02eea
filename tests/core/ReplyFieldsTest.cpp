#include <gtest/gtest.h>

#include <optional>

#include "core/Conversions.h"
#include "core/ReplyFields.h"

namespace vistrel {
namespace {

TEST(ReplyFieldsTest, SplitsNameSeparatorAndValues) {
  ReplyFields f;
  ASSERT_TRUE(ParseReply("PGEN0=12,34", f));
  EXPECT_EQ(f.name, "PGEN0");
  EXPECT_EQ(f.separator, "=");
  EXPECT_EQ(f.valueCount, 2);
  EXPECT_EQ(f.value1, "12");
  EXPECT_EQ(f.value2, "34");
  EXPECT_EQ(f.index, 12);
  EXPECT_EQ(f.value.intValue, 12);
  EXPECT_EQ(f.commandId, 35);

  ASSERT_TRUE(ParseReply(" ti = &h1f \r\n", f));
  EXPECT_EQ(f.raw, "ti=&h1f");
  EXPECT_EQ(f.name, "TI");
  EXPECT_EQ(f.value.intValue, 31);
  EXPECT_EQ(f.valueCount, 1);
  EXPECT_EQ(f.valueAsSent, "&h1f");

  ASSERT_TRUE(ParseReply("UD = line4 cam \r\n", f));
  EXPECT_EQ(f.value.text, "LINE4CAM") << "comparisons keep the upper-cased form";
  EXPECT_EQ(f.valueAsSent, "line4 cam");
}

TEST(ReplyFieldsTest, QueryFormsUnknownNamesAndDuplicatedNames) {
  ReplyFields f;
  EXPECT_FALSE(ParseReply("XYZ?", f));
  EXPECT_EQ(f.valueCount, 0);
  EXPECT_EQ(f.separator, "?");
  EXPECT_EQ(f.commandId, -1);
  EXPECT_EQ(f.failed, 1);

  ASSERT_TRUE(ParseReply("LUTR?12", f));
  EXPECT_EQ(f.valueCount, 1);
  EXPECT_EQ(f.value1, "12");

  EXPECT_FALSE(ParseReply("COMPLETE", f));
  EXPECT_EQ(f.failed, 1);
  EXPECT_EQ(f.raw, "COMPLETE");

  // A name twice in the command table stands for its lower id.
  ASSERT_TRUE(ParseReply("ATCS=4", f));
  EXPECT_EQ(f.commandId, 85);
  ASSERT_TRUE(ParseReply("SQLUT=1", f));
  EXPECT_EQ(f.commandId, 226);
}

TEST(ConversionsTest, DecimalAutomaticAndReal) {
  EXPECT_EQ(DecimalToInt("  -12abc"), -12);
  EXPECT_EQ(DecimalToInt("+7"), 7);
  EXPECT_EQ(DecimalToInt("abc"), 0);
  EXPECT_EQ(DecimalToInt("0x1F"), 0);
  EXPECT_EQ(DecimalToInt("99999999999"), 2147483647);
  EXPECT_EQ(DecimalToInt("-99999999999"), -2147483647 - 1);
  EXPECT_EQ(AutoBaseToInt("0x1F"), 31);
  EXPECT_EQ(AutoBaseToInt("0X1f"), 31);
  EXPECT_EQ(AutoBaseToInt("017"), 15);
  EXPECT_EQ(AutoBaseToInt("0x"), 0);
  EXPECT_EQ(AutoBaseToInt(" -10"), -10);
  EXPECT_DOUBLE_EQ(TextToReal(" 1.5e2x"), 150.0);
  EXPECT_DOUBLE_EQ(TextToReal("-.25"), -0.25);
  EXPECT_DOUBLE_EQ(TextToReal("inf"), 0.0);
  EXPECT_DOUBLE_EQ(TextToReal(""), 0.0);
}

TEST(ConversionsTest, StrictNumbersAreWholeNumbersInTheWrittenForms) {
  const std::pair<std::string_view, std::optional<int32_t>> cases[] = {
      {"10000", 10000},
      {" -12\t", -12},
      {"+7", 7},
      {"&h1f", 31},
      {"0X1F", 31},
      {"&HFFFFFFFF", -1},
      {"-2147483648", INT32_MIN},
      {"1O000", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"99999999999", std::nullopt},
      {"2147483648", std::nullopt},
      {"&H100000000", std::nullopt},
      {"0x", std::nullopt},
      {"1e3", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"-0x1F", std::nullopt},
      {"1 000", std::nullopt},
      {std::string_view("12\0"
                        "34",
                        5),
       std::nullopt},
      {"High", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(StrictNumber(text), expected) << text;
}

TEST(ReplyFieldsTest, ValuesThatAreNoCleanNumberAreGarbled) {
  const std::pair<const char*, bool> cases[] = {
      {"PE=1O000", true},
      {"FGA=", true},
      {"PGEN0=12,3x", true},
      {"EB?0xE0,0", true},
      {"PE=\x01"
       "5",
       true},
      {"TI = &h1F", false},
      {"PGEN0=12,34", true},  // two numbers for a control that holds one
      {"PE=1,2", true},
      {"LUTR=5,100", false},
      {"BMPXWR=3,-1", false},
      {"FGA= -5 ", false},
      {"MD=any text", false},
  };
  for (const auto& [line, garbled] : cases) {
    ReplyFields f;
    ASSERT_TRUE(ParseReply(line, f)) << line;
    EXPECT_EQ(f.garbled, garbled) << line;
  }
}

}  // namespace
}  // namespace vistrel
