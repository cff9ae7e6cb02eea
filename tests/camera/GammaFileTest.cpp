#include <gtest/gtest.h>

#include <algorithm>

#include "camera/CameraFixture.h"
#include "camera/GammaFile.h"
#include "support/Recorders.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

LutTableSet Sample() {
  LutTableSet tables{};
  for (int c = 0; c < kLutChannels; ++c) {
    for (int j = 0; j < kLutEntries; ++j)
      tables[static_cast<size_t>(c)][static_cast<size_t>(j)] =
          static_cast<uint32_t>((j * 128 + c * 7) % 4096);
  }
  return tables;
}

LutTableSet Filled(uint32_t value) {
  LutTableSet tables{};
  for (LutTable& table : tables)
    table.fill(value);
  return tables;
}

std::string WithHeader(const std::string& data) {
  return std::string(kGammaHeader) + "\r\n" + data;
}

std::string Lines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += line + "\r\n";
  return text;
}

class GammaFileTest : public ::testing::Test {
 protected:
  GammaLoad Load(const std::string& text) { return LoadGammaText(text, tables, presenter); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : presenter.messages) {
      EXPECT_EQ(m.icon, MessageIcon::Stop);
      texts.push_back(m.text);
    }
    return texts;
  }

  LutTableSet tables = Filled(9);
  test::RecordingPresenter presenter;
  test::TempFolder temp;
};

TEST_F(GammaFileTest, SavedFileLoadsBackUnchanged) {
  const std::string path = temp.File("gamma.csv");
  ASSERT_EQ(SaveGammaCsv(path, Sample(), presenter), Outcome::Done);
  const std::string text = test::FileText(path);
  EXPECT_TRUE(text.starts_with("GammaData (R G B)\r\n0,7,14\r\n128,135,142\r\n")) << text;
  const GammaLoad load = LoadGammaCsv(path, tables, presenter);
  EXPECT_TRUE(load.ok);
  EXPECT_EQ(load.dataLines, 32);
  EXPECT_EQ(tables, Sample());
  EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(GammaFileTest, FilesThatCannotBeOpenedSaySo) {
  const std::string missing = temp.File("no/such/folder/gamma.csv");
  EXPECT_EQ(SaveGammaCsv(missing, Sample(), presenter), Outcome::NotWritten);
  EXPECT_FALSE(LoadGammaCsv(missing, tables, presenter).ok);
  EXPECT_FALSE(LoadGammaCsv(temp.Path(), tables, presenter).ok);  // a folder
  const std::string expected = missing + "\nCouldn't open this file";
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_TRUE(Messages()[0].starts_with(expected + " (cannot create a file in ")) << Messages()[0];
  EXPECT_EQ(Messages()[1], expected);
  EXPECT_EQ(tables, Filled(9));

  // A path whose folder part is a file cannot be written; the file itself is not touched.
  const std::string path = temp.File("gamma.csv");
  ASSERT_EQ(SaveGammaCsv(path, Sample(), presenter), Outcome::Done);
  const std::string before = test::FileText(path);
  EXPECT_EQ(SaveGammaCsv(path + "/x.csv", Filled(1), presenter), Outcome::NotWritten);
  EXPECT_EQ(test::FileText(path), before);
}

TEST_F(GammaFileTest, DataLinesLoadAsTheirDigits) {
  struct Case {
    const char* line;
    uint32_t r, g, b;
  };
  const Case cases[] = {
      {" 12 , 34 , 56 ", 12, 34, 56}, {"-5,7,9", 5, 7, 9},
      {"1.5,2,3", 15, 2, 3},          {"1,,3", 1, 0, 3},
      {"\t4,5,6\r", 4, 5, 6},         {"007,0,0", 7, 0, 0},
  };
  for (const Case& c : cases) {
    tables = Filled(9);
    EXPECT_TRUE(Load(WithHeader(std::string(c.line) + "\r\n")).ok) << c.line;
    EXPECT_EQ(tables[0][0], c.r) << c.line;
    EXPECT_EQ(tables[1][0], c.g) << c.line;
    EXPECT_EQ(tables[2][0], c.b) << c.line;
  }
  EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(GammaFileTest, MalformedLinesAreRefusedWithWhereAndWhatAndChangeNothing) {
  using namespace std::string_literals;
  struct Case {
    std::string line;
    const char* message;
    const char* written;  // the line as the message shows it
    int before = 3;       // good data lines ahead of it
  };
  const Case cases[] = {
      {"1,2,3,", "Invaild data count format", "1,2,3,"},
      {"1,2,3,4", "Invaild data count format", "1,2,3,4"},
      {"1,2", "Invaild line format", "1,2"},
      {"12", "Invaild line format", "12"},
      {"", "Invaild line format", ""},
      // A control character would be passed over and 12<NUL>8 read as 128.
      {"12\0"
       "8,1,1"s,
       "Invaild line format", "12\\x008,1,1"},
      {"\0"
       "1,1,1"s,
       "Invaild line format", "\\x001,1,1"},
      {"1,2\r,3", "Invaild line format", "1,2\\x0d,3"},
      {"1,1,1", "Too many data", "1,1,1", 32},
  };
  for (const Case& c : cases) {
    presenter.messages.clear();
    tables = Filled(9);
    // The bad line follows good ones and is followed by another, so that it is not at the end.
    const GammaLoad load = Load(WithHeader(Lines(c.before, "1,1,1") + c.line + "\r\n4,4,4\r\n"));
    EXPECT_FALSE(load.ok) << c.written;
    EXPECT_EQ(Messages(),
              std::vector<std::string>{std::string(c.message) + "\nFile line " +
                                       std::to_string(c.before + 2) + ": " + c.written});
    EXPECT_EQ(tables, Filled(9)) << "a refused load keeps the tables as they were: " << c.written;
  }
}

TEST_F(GammaFileTest, LinesWithoutDataAreSkippedAndLongLinesReadWhole) {
  const std::string blanks(200, ' ');
  const std::pair<std::string, int> cases[] = {
      {"", 0},
      {"GammaData (R G B)\r\n", 0},
      {"anything at all", 0},
      {WithHeader(Lines(32, "1,2,3") + "\r\n\n\r\n"), 32},  // empty lines after the last one
      {blanks + "\r\n" + blanks + "1,2,3" + blanks + "\r\n", 1},
  };
  for (const auto& [text, dataLines] : cases) {
    tables = Filled(9);
    const GammaLoad load = Load(text);
    EXPECT_TRUE(load.ok) << text;
    EXPECT_EQ(load.dataLines, dataLines) << text;
    LutTableSet expected = Filled(9);
    for (int c = 0; c < kLutChannels; ++c)
      std::fill_n(expected[static_cast<size_t>(c)].begin(), dataLines,
                  static_cast<uint32_t>(c + 1));
    EXPECT_EQ(tables, expected) << text;
  }
  EXPECT_TRUE(presenter.messages.empty());
  // A blank that is not empty is still a line without its commas.
  EXPECT_FALSE(Load(WithHeader(Lines(2, "1,2,3") + " \r\n")).ok);
}

TEST_F(GammaFileTest, FirstLevelAboveRangeIsNamedAndAllAreStoredAsFullScale) {
  const GammaLoad load =
      Load(WithHeader("4096,1,2\r\n3,4,5\r\n6,99999,7\r\n8,9,99999999999999999999\r\n"));
  EXPECT_TRUE(load.ok);
  // The file's own line number (the header is line 1) and the level as written.
  EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid data value: Line(2) : Value(4096)"});
  EXPECT_EQ(tables[0][0], 4095u);
  EXPECT_EQ(tables[1][2], 4095u);
  EXPECT_EQ(tables[2][3], 4095u);
  EXPECT_EQ(tables[1][1], 4u);

  presenter.messages.clear();
  Load(WithHeader("1,2,3\r\n1,2,3\r\n1,2,3\r\n0,0, -99999999999999999999 \r\n"));
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Invalid data value: Line(5) : Value(-99999999999999999999)"});
}

}  // namespace
}  // namespace vistrel
