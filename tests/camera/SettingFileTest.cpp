#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "camera/CameraFixture.h"
#include "camera/ReadAll.h"
#include "camera/SettingFile.h"
#include "support/TestEnvironment.h"

namespace vistrel {
namespace {

using test::CameraFixture;
namespace fs = std::filesystem;

class SettingFileTest : public ::testing::Test {
 protected:
  // The camera's model is known, as after connecting.
  SettingFileTest() { f.session.CheckModelAgain(); }
  std::string PathOf(const std::string& name) const { return temp_.File(name); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(PathOf(name)) << text;
    return PathOf(name);
  }
  static bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
  }

  test::TempFolder temp_;
  CameraFixture f;
};

TEST_F(SettingFileTest, VariantsAndControlModesChooseTheirRows) {
  ASSERT_EQ(f.channel.peer.Exchange("EM=1\r\n"), "COMPLETE\r\n");
  for (bool factory : {false, true}) {
    f.session.SetFactoryMode(factory);
    Reload(f.session);
    const std::string all = BuildSettingFile(f.session, SettingFileVariant::AllData);
    const std::string shipping = BuildSettingFile(f.session, SettingFileVariant::ShippingData);
    EXPECT_TRUE(all.starts_with(factory ? "MD00=QX-70500C-VLNK\nEM=1\nTM=0\n" : "EM=1\nTM=0\n"));
    EXPECT_TRUE(shipping.starts_with("EM=1\nTM=0\nTI="));
    EXPECT_EQ(HasLine(all, "FCBDRT=" + f.CameraValue("FCBDRT")), factory);
    EXPECT_FALSE(shipping.find("FCBDRT") != std::string::npos);
    EXPECT_FALSE(all.find("LUTC=") != std::string::npos) << "user row not in files";
    EXPECT_FALSE(all.find("PER=") != std::string::npos) << "not a stored parameter";
  }
  // With the exposure mode off, All Data leaves out its TM row; Shipping Data keeps it.
  f.table.SetDataValue(1337, 0);
  f.table.SetDataValue(1341, 1);
  EXPECT_FALSE(HasLine(BuildSettingFile(f.session, SettingFileVariant::AllData), "TM=1"));
  EXPECT_TRUE(HasLine(BuildSettingFile(f.session, SettingFileVariant::ShippingData), "TM=1"));

  CameraFixture unsupported("ZZ-1");
  unsupported.session.SetFactoryMode(true);
  EXPECT_TRUE(
      BuildSettingFile(unsupported.session, SettingFileVariant::AllData).starts_with("EM=1\n"))
      << "no model line for a model the program does not know";
}

TEST_F(SettingFileTest, SaveReplacesTheFileWholeAndRemembersTheFolder) {
  Reload(f.session);
  const std::string path = Write("a.cam", "old contents\n");
  chmod(path.c_str(), 0640);
  ASSERT_EQ(WriteSettingFile(f.session, path, SettingFileVariant::AllData), Outcome::Done);
  EXPECT_EQ(test::FileText(path), BuildSettingFile(f.session, SettingFileVariant::AllData));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(f.hooks.folders.back(), temp_.Path());
  EXPECT_EQ(std::distance(fs::directory_iterator(temp_.Path()), fs::directory_iterator()), 1)
      << "no temporary file left behind";

  const std::string missing = PathOf("no/such/folder/b.cam");
  EXPECT_EQ(WriteSettingFile(f.session, missing, SettingFileVariant::AllData), Outcome::NotWritten);
  EXPECT_TRUE(f.presenter.messages.back().text.starts_with(
      missing + "\nCouldn't open this file (cannot create a file in "))
      << f.presenter.messages.back().text;
  EXPECT_EQ(f.presenter.messages.back().caption, "File Open Error");
}

TEST_F(SettingFileTest, CommandOfTwoRowsIsWrittenAlikeAndLoaded) {
  // The multi-ROI mode has a toggle's row (never read) before the number row the read fills.
  CameraFixture source;
  ASSERT_EQ(source.channel.peer.Exchange("SMRMD=1\r\n"), "COMPLETE\r\n");
  Reload(source.session);
  const std::string path = PathOf("roi.cam");
  ASSERT_EQ(WriteSettingFile(source.session, path, SettingFileVariant::AllData), Outcome::Done);
  const std::string text = test::FileText(path);
  EXPECT_TRUE(HasLine(text, "SMRMD=1"));
  EXPECT_FALSE(HasLine(text, "SMRMD=0")) << text;

  ASSERT_EQ(LoadSettingFile(f.session, path), Outcome::Done);
  EXPECT_EQ(f.CameraValue("SMRMD"), "1");
  EXPECT_EQ(f.table.GetDataValue(5117), 1);
  EXPECT_EQ(f.table.GetDataValue(2860), 1) << "both rows show the camera's value";
  EXPECT_EQ(f.table.GetLastSentValue(5117), 1) << "a loaded value is not sent again";
  EXPECT_TRUE(f.presenter.messages.empty());
  EXPECT_EQ(f.progress.messages.back(), "Now, reading camera setting file.");

  // Files of earlier versions hold the toggle's stale value first; the read value follows.
  CameraFixture older;
  older.session.CheckModelAgain();
  ASSERT_EQ(LoadSettingFile(older.session, Write("old.cam", "SMRMD=0\nSMRMD=1\n")), Outcome::Done);
  EXPECT_EQ(older.CameraValue("SMRMD"), "1");
}

TEST_F(SettingFileTest, HandWrittenLinesAreApplied) {
  const std::string path = Write("hand.cam", "ti = 2\r\nFGA=&H1F4\nLUTR=5,100\n");
  f.channel.written.clear();
  ASSERT_EQ(LoadSettingFile(f.session, path), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"TI=2", "FGA=500", "LUTR=5,100"}));
  EXPECT_EQ(f.table.GetDataValue(1349), 2);
  EXPECT_EQ(f.table.GetDataValue(1055), 500);
}

TEST_F(SettingFileTest, FileWithNothingToSendFailsAndSendsNothing) {
  f.session.SetFactoryMode(true);
  for (const char* text : {"", "\n \n\t\n", "TX=5\nTI=High\nVN=1\n", "MD00=QX-70500C-VLNK\n"}) {
    f.channel.written.clear();
    f.presenter.messages.clear();
    EXPECT_EQ(LoadSettingFile(f.session, Write("none.cam", text)), Outcome::BadInput) << text;
    EXPECT_TRUE(f.channel.written.empty()) << text;
    ASSERT_FALSE(f.presenter.messages.empty()) << text;
    EXPECT_NE(f.presenter.messages.back().text.find("holds no setting for the QX-70500C-VLNK"),
              std::string::npos);
  }
  EXPECT_EQ(LoadSettingFile(f.session, PathOf("missing.cam")), Outcome::BadInput);
  EXPECT_EQ(f.presenter.messages.back().caption, "File Open Error");
}

TEST_F(SettingFileTest, LinesThatAreNotCleanAreNeitherSentNorTakenInPart) {
  const char text[] =
      "TI=High\nFGA=12abc\nPE=\nHTL=1e3\nPE=12\0"
      "34\nTI=\0"
      "1\nLUTR=5,1\x01\nFGA=300\n";
  const std::string path = Write("bad.cam", std::string(text, sizeof text - 1));
  // Only the clean line is sent; without a report (the desktop program) the lines not
  // understood are shown, each whole as written.
  f.channel.written.clear();
  ASSERT_EQ(LoadSettingFile(f.session, path), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"FGA=300"});
  ASSERT_EQ(f.presenter.messages.size(), 1u);
  EXPECT_NE(f.presenter.messages[0].text.find("Line 5: PE=12\\x0034"), std::string::npos)
      << f.presenter.messages[0].text;
}

TEST_F(SettingFileTest, IdentityLinesAreFactoryLinesAndAFileForAnotherModelIsRefused) {
  const std::string own = Write("own.cam", "MD00=QX-70500C-VLNK\nDV=1.1.1.1\nFCBDRT=4\nTI=1\n");
  f.channel.written.clear();
  ASSERT_EQ(LoadSettingFile(f.session, own), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"TI=1"}) << "user mode";
  f.session.SetFactoryMode(true);
  f.channel.written.clear();
  ASSERT_EQ(LoadSettingFile(f.session, own), Outcome::Done);
  EXPECT_EQ(f.channel.Lines().size(), 5u) << "MD00, the model query, DV, FCBDRT and TI";

  const std::string other = Write("other.cam", "MD00=RL-8200T-VLNK\nTI=2\n");
  for (bool factory : {false, true}) {
    f.session.SetFactoryMode(factory);
    f.channel.written.clear();
    LoadReport report;
    EXPECT_EQ(LoadSettingFile(f.session, other, &report), Outcome::BadInput);
    EXPECT_TRUE(report.otherModel);
    EXPECT_TRUE(f.channel.written.empty());
    EXPECT_NE(f.presenter.messages.back().text.find(
                  "other.cam:1: the file is for a RL-8200T-VLNK camera; the connected camera is "
                  "a QX-70500C-VLNK."),
              std::string::npos);
  }
  // The desktop program asks; a yes loads it, here in user mode without the model line.
  f.session.SetFactoryMode(false);
  f.presenter.answers = {false, true};
  EXPECT_EQ(LoadSettingFile(f.session, other, nullptr, OtherModel::Ask), Outcome::BadInput);
  EXPECT_TRUE(f.channel.written.empty());
  EXPECT_EQ(LoadSettingFile(f.session, other, nullptr, OtherModel::Ask), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"TI=2"});
}

TEST_F(SettingFileTest, RefusedLineKeepsTheCameraValue) {
  ASSERT_EQ(f.channel.peer.Exchange("FGA=300\r\n"), "COMPLETE\r\n");
  f.table.SetDataValue(1055, 200);
  f.channel.refused = {"FGA="};
  ASSERT_EQ(LoadSettingFile(f.session, Write("r.cam", "FGA=900\nTI=1\n")), Outcome::Refused);
  EXPECT_EQ(f.table.GetDataValue(1055), 300) << "the camera's value, read back";
  EXPECT_EQ(f.table.GetDataValue(1349), 1) << "loading goes on after a refusal";
  EXPECT_EQ(f.presenter.messages.size(), 1u);

  // A channel that cannot write gets no re-read: it would only wait out another time limit.
  f.channel.written.clear();
  f.channel.writeOk = false;
  ASSERT_EQ(LoadSettingFile(f.session, Write("w.cam", "FGA=700\n")), Outcome::ChannelLost);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"FGA=700"});
  EXPECT_EQ(f.table.GetDataValue(1055), 300) << "the previous value stays";
}

}  // namespace
}  // namespace vistrel
