#include <gtest/gtest.h>

#include <map>

#include "camera/CameraData.h"
#include "camera/CameraFixture.h"
#include "camera/CameraId.h"
#include "camera/CameraModel.h"
#include "camera/MotorLens.h"

namespace vistrel {
namespace {

using test::CameraFixture;

// Answers the queries named in `replies` with the given lines; everything else reaches the
// simulated camera.
void Answer(CameraFixture& f, std::map<std::string, std::string> replies) {
  f.channel.SetResponder([&f, replies](const std::string& text) -> std::string {
    const std::string line = text.substr(0, text.find('\r'));
    if (auto it = replies.find(line); it != replies.end())
      return it->second + "\r\n";
    for (const std::string& prefix : f.channel.refused) {
      if (text.starts_with(prefix))
        return "ERROR: refused for the test\r\n";
    }
    return f.channel.peer.Exchange(text);
  });
}

const std::string& LastMessage(const CameraFixture& f) {
  return f.presenter.messages.back().text;
}

TEST(IdentityReadTest, ShowsVersionsAndCutsTheCameraId) {
  CameraFixture f;
  ASSERT_EQ(f.channel.peer.Exchange("XMLVR=123\r\n"), "COMPLETE\r\n");
  Answer(f, {{"ID?", "ID=ABCDEFGHIJKL"}, {"DV?", "DV=1.2.3.45"}});
  CameraData data = ReadCameraData(f.session);
  EXPECT_EQ(data.firmwareVersion, "1.05");
  EXPECT_EQ(data.xmlVersion, "1.2.3");
  EXPECT_EQ(data.cameraId, "ABCDEFGHIJ");
  EXPECT_EQ(data.deviceVersion, (std::array<std::string, 4>{"1", "2", "3", "45"}));
  EXPECT_EQ(data.outcome, Outcome::Done);

  ASSERT_EQ(f.channel.peer.Exchange("XMLVR=7\r\n"), "COMPLETE\r\n");
  Answer(f, {{"DV?", "DV=1.2.3"}});
  data = ReadCameraData(f.session);
  EXPECT_EQ(data.xmlVersion, "0.0.7");
  EXPECT_EQ(data.deviceVersion, (std::array<std::string, 4>{"?", "?", "?", "?"}));
  Answer(f, {{"DV?", "DV=1.2.3.4.5"}});
  EXPECT_EQ(ReadCameraData(f.session).deviceVersion[3], "?");
}

TEST(IdentityReadTest, AFailedQueryKeepsItsPlaceholderAndTheNextIsRead) {
  CameraFixture f;
  f.channel.refused = {"FPVN?"};
  const CameraData data = ReadCameraData(f.session);
  EXPECT_EQ(data.fpgaVersion, "?.??");
  EXPECT_NE(data.userId, "????????????????");
  EXPECT_NE(data.xmlVersion, "?.?.?");
  EXPECT_EQ(data.outcome, Outcome::Refused);

  f.channel.refused = {"VN?"};
  f.channel.written.clear();
  EXPECT_EQ(ReadCameraData(f.session).cameraId, "??????????");
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"VN?"}) << "nothing read after VN";
}

TEST(IdentityWriteTest, UserIdLengthsAndTexts) {
  CameraFixture f;
  EXPECT_EQ(WriteUserId(f.session, std::string(17, 'a')), Outcome::BadInput);
  EXPECT_EQ(LastMessage(f), "User ID string is too long !!");
  EXPECT_EQ(f.presenter.messages.back().icon, MessageIcon::Stop);
  EXPECT_TRUE(f.channel.written.empty());

  EXPECT_EQ(WriteUserId(f.session, "Line 4 camera 16"), Outcome::Done);
  EXPECT_EQ(LastMessage(f), "Writing the User ID \"Line 4 camera 16\" has been completed.");
  EXPECT_EQ(WriteUserId(f.session, ""), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"UD=Line 4 camera 16", "UD="}));
  EXPECT_EQ(f.CameraValue("UD"), "");

  // A line break would end the line early and send the rest as a command of its own.
  f.channel.written.clear();
  for (const char* text : {"cam\r\nCRS00=1", "tab\there", "\xe9t\xe9"}) {
    EXPECT_EQ(WriteUserId(f.session, text), Outcome::BadInput);
    EXPECT_EQ(LastMessage(f),
              "The User ID may hold only printable ASCII characters, no line breaks.");
  }
  EXPECT_TRUE(f.channel.written.empty());

  f.channel.refused = {"UD="};
  EXPECT_EQ(WriteUserId(f.session, "x"), Outcome::Refused);
  EXPECT_EQ(LastMessage(f), "Couldn't write the User ID.");
  const std::optional<std::string> read = ReadUserId(f.session).value;
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, "");
}

TEST(IdentityWriteTest, XmlAndDeviceVersions) {
  CameraFixture f;
  EXPECT_EQ(WriteXmlVersion(f.session, {"1", "", "3"}), Outcome::Done);
  EXPECT_EQ(WriteXmlVersion(f.session, {"45", "6", "7"}), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"XMLVR=13", "XMLVR=467"}));
  EXPECT_EQ(LastMessage(f), "Writing the XML Version has been completed.");
  f.channel.written.clear();
  EXPECT_EQ(WriteXmlVersion(f.session, {"1", "x", "3"}), Outcome::BadInput);
  EXPECT_EQ(WriteXmlVersion(f.session, {"", "", ""}), Outcome::BadInput);
  EXPECT_TRUE(f.channel.written.empty()) << "no digits, no version";
  EXPECT_EQ(LastMessage(f), "Couldn't write the XML Version.");

  EXPECT_EQ(XmlVersionDigits(7), (std::array<std::string, 3>{"0", "0", "7"}));
  EXPECT_FALSE(XmlVersionDigits(1000));

  EXPECT_EQ(WriteDeviceVersion(f.session, JoinFirstCharacters({"1", "20", "3", "4"}, ".")),
            Outcome::Done);
  EXPECT_EQ(f.channel.Lines().back(), "DV=1.2.3.4");
  EXPECT_EQ(LastMessage(f), "Writing the Device Version has been completed.");
  EXPECT_EQ(WriteDeviceVersion(f.session, "1..3.4"), Outcome::Refused);
  EXPECT_EQ(LastMessage(f), "Couldn't write the Device Version.");
}

TEST(IdentityWriteTest, CameraIdUnlocksFirst) {
  CameraFixture f;
  EXPECT_EQ(WriteCameraId(f.session,
                          JoinFirstCharacters({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"})),
            Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"ULCK=6183529", "ID=ABCDEFGHIJ"}));
  EXPECT_EQ(LastMessage(f), "Completed saving camera id: ABCDEFGHIJ.");
  EXPECT_EQ(f.CameraValue("ID"), "ABCDEFGHIJ");

  const std::string eight = JoinFirstCharacters({"Ab", "B", "", "", "E", "F", "G", "H", "I", "J"});
  EXPECT_EQ(eight, "ABEFGHIJ");

  f.channel.written.clear();
  f.channel.refused = {"ULCK="};
  EXPECT_EQ(WriteCameraId(f.session, eight), Outcome::Refused);
  EXPECT_EQ(LastMessage(f), "Couldn't save camera id.");
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"ULCK=6183529"}) << "no id without unlock";

  f.channel.refused = {"ID="};
  EXPECT_EQ(WriteCameraId(f.session, eight), Outcome::Refused);
  EXPECT_EQ(LastMessage(f), "Couldn't save the camera id.");

  f.channel.refused.clear();
  f.channel.written.clear();
  EXPECT_EQ(WriteCameraId(f.session, "ABCDEFGHIJK"), Outcome::BadInput);
  EXPECT_EQ(WriteCameraId(f.session, "AB\nCD"), Outcome::BadInput);
  EXPECT_TRUE(f.channel.written.empty());
}

TEST(IdentityWriteTest, ModelIdRunsTheModelCheckBeforeReporting) {
  CameraFixture f("RL-4100T-VLNK");
  size_t messagesAtModelQuery = 99;
  f.channel.SetResponder([&](const std::string& text) {
    if (text.starts_with("MD?"))
      messagesAtModelQuery = f.presenter.messages.size();
    return f.channel.peer.Exchange(text);
  });
  EXPECT_EQ(WriteModelId(f.session, 1, "RL-8200T-VLNK"), Outcome::Done);
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MD00=RL-8200T-VLNK", "MD?"}));
  EXPECT_EQ(messagesAtModelQuery, 0u);
  EXPECT_EQ(LastMessage(f), "Succeeded in writting camera model id.");
  EXPECT_EQ(f.session.Model().name, "RL-8200T-VLNK");

  f.channel.written.clear();
  EXPECT_EQ(WriteModelId(f.session, -1, ""), Outcome::BadInput);
  EXPECT_EQ(WriteModelId(f.session, 2, "RL-8200T-VLNK"), Outcome::BadInput);
  // The one entry of a QX camera's choice names that camera; its position would write
  // another model's id.
  EXPECT_EQ(WriteModelId(f.session, 0, "QX-70500C-VLNK"), Outcome::BadInput);
  EXPECT_TRUE(f.channel.written.empty());
  EXPECT_EQ(LastMessage(f), "Failed writting camera model id.");

  f.channel.SetResponder([&f](const std::string& text) {
    return text.starts_with("MD00=") ? std::string("Error: refused\r\n")
                                     : f.channel.peer.Exchange(text);
  });
  EXPECT_EQ(WriteModelId(f.session, 0, "RL-4100T-VLNK"), Outcome::Refused);
  EXPECT_EQ(f.channel.Lines(), std::vector<std::string>{"MD00=RL-4100T-VLNK"}) << "no model check";
  EXPECT_EQ(LastMessage(f), "Failed writting camera model id.");
}

TEST(IdentityWriteTest, ModelChoiceShowsTheModelNames) {
  EXPECT_EQ(ModelChoiceEntries(CodeOf(Model::Qx70500M)),
            std::vector<std::string>{"QX-70500M-VLNK"});
  EXPECT_EQ(ModelChoiceEntries(CodeOf(Model::Qx70500C)),
            std::vector<std::string>{"QX-70500C-VLNK"});
}

}  // namespace
}  // namespace vistrel
