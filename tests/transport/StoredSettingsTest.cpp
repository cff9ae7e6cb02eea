#include <gtest/gtest.h>
#include <signal.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "TransportFixtures.h"
#include "transport/ComPortNames.h"
#include "transport/SettingsFile.h"
#include "transport/StoredSettings.h"

namespace vistrel {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::ScopedEnv;
using test::TempFolder;

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(StoredSettings, FirstRunGivesDefaultsAndValuesSurviveTheRunAndANormalEnd) {
  TempFolder temp;
  const std::string folder = temp / "deeper/Vistrel";  // does not exist yet
  const std::string awkward = "/data/cam files\\new\nline";
  {
    StoredSettings store(folder);
    EXPECT_FALSE(store.PreviousShutdownWasNormal());
    auto baud = store.GetStoredNumber(kStoredBaudrate, 9600);
    EXPECT_EQ(baud.value, 9600u);
    EXPECT_FALSE(baud.stored);
    auto path = store.GetStoredText(kStoredCameraFilePath);
    EXPECT_EQ(path.value, fs::current_path().string());
    EXPECT_FALSE(path.stored);
    // The file is for people too: one typed value a line.
    EXPECT_NE(ReadAll(store.FilePath()).find("Previous Application Shutdown Status=number:0\n"),
              std::string::npos);

    EXPECT_TRUE(store.SetStoredNumber(kStoredControlMode, 1));
    EXPECT_TRUE(store.SetStoredText(kStoredCommandLogFilePath, awkward));
    EXPECT_TRUE(store.SetStoredNumbers({{kStoredComPortNo, 4}, {kStoredCl2001Index, 2}}));
  }
  StoredSettings next(folder);
  EXPECT_TRUE(next.PreviousShutdownWasNormal());
  EXPECT_EQ(next.GetStoredNumber(kStoredControlMode, 0).value, 1u);
  EXPECT_EQ(next.GetStoredNumber(kStoredComPortNo, 0).value, 4u);
  EXPECT_EQ(next.GetStoredNumber(kStoredCl2001Index, 0).value, 2u);
  auto text = next.GetStoredText(kStoredCommandLogFilePath);
  EXPECT_TRUE(text.stored);
  EXPECT_EQ(text.value, awkward);
  // No temporary file is left behind by the atomic replace.
  EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"settings.ini", "settings.lock"}));
}

TEST(StoredSettings, ValuesOfTheOtherTypeAreConverted) {
  TempFolder temp;
  WriteAll(temp / "settings.ini",
           "Baudrate=text:19200\n"
           "Com Port No=text:abc\n"
           "Control Mode=text:  12 cameras\n"
           "Camera File Path=number:42\n"
           "# a comment line\n"
           "\n"
           "Some Later Value=text:kept\n");
  StoredSettings store(temp.Path());
  EXPECT_EQ(store.GetStoredNumber(kStoredBaudrate, 9600).value, 19200u);
  auto port = store.GetStoredNumber(kStoredComPortNo, 5);
  EXPECT_TRUE(port.stored);
  EXPECT_EQ(port.value, 0u);
  EXPECT_EQ(store.GetStoredNumber(kStoredControlMode, 0).value, 12u);
  EXPECT_EQ(store.GetStoredText(kStoredCameraFilePath).value, "42");
  // Values this program does not know are kept when it writes.
  EXPECT_NE(ReadAll(store.FilePath()).find("Some Later Value=text:kept"), std::string::npos);
}

TEST(StoredSettings, IndicesOutsideTheTableReadDefaultsAndWriteNothing) {
  TempFolder temp;
  StoredSettings store(temp.Path());
  const std::string before = ReadAll(store.FilePath());
  for (int index : {int(kStoredValues.size()), -1}) {
    auto number = store.GetStoredNumber(index, 77);
    EXPECT_EQ(number.value, 77u);
    EXPECT_FALSE(number.stored);
    EXPECT_FALSE(store.SetStoredNumber(index, 1));
    EXPECT_FALSE(store.SetStoredText(index, "x"));
    EXPECT_FALSE(store.GetStoredText(index).stored);
  }
  EXPECT_FALSE(store.SetStoredNumbers({{kStoredBaudrate, 1}, {int(kStoredValues.size()), 1}}));
  EXPECT_EQ(ReadAll(store.FilePath()), before);
}

TEST(StoredSettings, AShortRunThatLeavesTheMarkerDoesNotEndARunningOne) {
  TempFolder temp;
  { StoredSettings first(temp.Path()); }
  EXPECT_EXIT(
      {
        StoredSettings running(temp.Path());
        { StoredSettings tool(temp.Path(), StoredSettings::ShutdownMarker::Leave); }
        ::raise(SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  StoredSettings after(temp.Path());
  EXPECT_FALSE(after.PreviousShutdownWasNormal());
}

std::vector<std::string> CopiesKeptAside(const std::string& folder) {
  std::vector<std::string> copies;
  for (const std::string& name : FilesIn(folder)) {
    if (name.starts_with("settings.ini.corrupt-"))
      copies.push_back(folder + "/" + name);
  }
  return copies;
}

TEST(StoredSettings, ADamagedFileKeepsItsGoodValuesAndACopyIsKeptAsideOnce) {
  TempFolder temp;
  const std::string damaged =
      "Control Mode=number:1\n"
      "Com Port No=numbr:3\n"  // a typo
      "Camera File Path=text:/data/cams\n"
      "Baudrate=number:19200\n"
      "Some Later Value=text:kept\n";
  WriteAll(temp / "settings.ini", damaged);
  StoredSettings store(temp.Path(), StoredSettings::ShutdownMarker::Leave);

  EXPECT_EQ(store.GetStoredNumber(kStoredControlMode, 0).value, 1u);
  EXPECT_EQ(store.GetStoredNumber(kStoredBaudrate, 9600).value, 19200u);
  EXPECT_EQ(store.GetStoredText(kStoredCameraFilePath).value, "/data/cams");
  EXPECT_FALSE(store.GetStoredNumber(kStoredComPortNo, 7).stored);

  const std::vector<std::string> copies = CopiesKeptAside(temp.Path());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(ReadAll(copies[0]), damaged);
  EXPECT_EQ(store.KeptAsideCopy(), copies[0]);

  // The file is whole again, unknown values included; the next runs still tell about the
  // copy, until the operator removes it.
  const std::string repaired = ReadAll(store.FilePath());
  EXPECT_TRUE(SettingsFile::Parse(repaired).has_value());
  EXPECT_NE(repaired.find("Some Later Value=text:kept"), std::string::npos);
  {
    StoredSettings next(temp.Path());
    EXPECT_EQ(next.Notice(), KeptAsideNotice(copies[0]));
    EXPECT_EQ(next.GetStoredNumber(kStoredControlMode, 0).value, 1u);
  }
  EXPECT_EQ(CopiesKeptAside(temp.Path()).size(), 1u);
  fs::remove(copies[0]);
  StoredSettings acknowledged(temp.Path());
  EXPECT_FALSE(acknowledged.Notice().has_value());
}

// A file that cannot be read at all is said to be so and is never written over: its values
// may be fine, only the file is wrong.
TEST(StoredSettings, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  const struct {
    const char* what;
    std::function<void(const std::string&)> make;
    const char* reason;
  } cases[] = {
      {"folder", [](const std::string& path) { fs::create_directory(path); }, "not a regular file"},
      {"oversized",
       [](const std::string& path) {
         WriteAll(path, "Baudrate=number:19200\n" + std::string(SettingsFile::kMaxBytes, '#'));
       },
       "larger than"},
  };
  for (const auto& c : cases) {
    TempFolder temp;
    const std::string path = temp / StoredSettings::kFileName;
    c.make(path);
    StoredSettings store(temp.Path(), StoredSettings::ShutdownMarker::Leave);
    ASSERT_TRUE(store.Notice().has_value()) << c.what;
    EXPECT_NE(store.Notice()->find(path + " cannot be read (" + c.reason), std::string::npos)
        << *store.Notice();
    EXPECT_FALSE(store.GetStoredNumber(kStoredBaudrate, 9600).stored) << c.what;
    EXPECT_FALSE(store.SetStoredNumber(kStoredBaudrate, 57600)) << c.what;
    EXPECT_NE(store.LastWriteError().find(path + " cannot be read (" + c.reason), std::string::npos)
        << store.LastWriteError();
    EXPECT_EQ(fs::is_directory(path), std::string(c.what) == "folder");
  }
}

TEST(StoredSettings, TheParserTakesOnlyWellFormedLines) {
  size_t dropped = 0;
  const SettingsFile file = SettingsFile::ParseGoodLines(
      "Baudrate=number:96x00\nBaudrate=number:4294967296\nA=dword:1\n=number:1\nB\n"
      "Com Port No=number:4294967295\r\n",
      &dropped);
  EXPECT_EQ(dropped, 5u);
  EXPECT_EQ(file.Find("Baudrate"), nullptr);
  ASSERT_NE(file.Find("Com Port No"), nullptr);
  EXPECT_EQ(file.Find("Com Port No")->value, "4294967295");
  EXPECT_FALSE(SettingsFile::Parse("Baudrate=number:-1\n").has_value());
}

TEST(StoredSettings, NumbersThatMakeNoPortOrOverflowReadAsDefaults) {
  TempFolder temp;
  WriteAll(temp / "settings.ini",
           "Com Port No=number:2147483647\n"
           "Baudrate=text:99999999999\n"
           "Control Mode=number:4294967295\n");
  StoredSettings store(temp.Path());
  const auto port = store.GetStoredNumber(kStoredComPortNo, 5);
  EXPECT_FALSE(port.stored);
  EXPECT_EQ(port.value, 5u);
  EXPECT_FALSE(store.GetStoredNumber(kStoredBaudrate, 9600).stored);
  EXPECT_EQ(store.GetStoredNumber(kStoredControlMode, 0).value, 4294967295u);
  ASSERT_TRUE(store.SetStoredNumber(kStoredComPortNo, kMaxComPortIndex));
  EXPECT_EQ(store.GetStoredNumber(kStoredComPortNo, 5).value, kMaxComPortIndex);

  for (int index : {INT_MAX, -1, INT_MIN})
    EXPECT_EQ(ComPortName(index), "") << index;
}

TEST(StoredSettings, ProgramsWritingAtOnceKeepEachOthersValues) {
  TempFolder temp;
  StoredSettings a(temp.Path());
  StoredSettings b(temp.Path());
  constexpr uint32_t kRounds = 60;
  std::thread other([&] {
    for (uint32_t i = 1; i <= kRounds; ++i)
      b.SetStoredNumber(kStoredCl2000Index, i);
  });
  for (uint32_t i = 1; i <= kRounds; ++i)
    a.SetStoredText(kStoredCameraFilePath, std::to_string(i));
  other.join();
  StoredSettings check(temp.Path());
  EXPECT_EQ(check.GetStoredNumber(kStoredCl2000Index, 0).value, kRounds);
  EXPECT_EQ(check.GetStoredText(kStoredCameraFilePath).value, std::to_string(kRounds));
}

TEST(StoredSettings, TheFolderFollowsTheEnvironment) {
  {
    ScopedEnv config("VISTREL_CONFIG_DIR", "/tmp/vistrel-here");
    EXPECT_EQ(SettingsFolder(), "/tmp/vistrel-here");
  }
  ScopedEnv config("VISTREL_CONFIG_DIR", "");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/srv/conf");
    EXPECT_EQ(SettingsFolder(), "/srv/conf/Orvex/QX-70500-VLNK Camera Vistrel");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", "");
  ScopedEnv home("HOME", "/home/op");
  EXPECT_EQ(SettingsFolder(), "/home/op/.config/Orvex/QX-70500-VLNK Camera Vistrel");
}

}  // namespace
}  // namespace vistrel
