// The identity groups of the factory page, without widgets.

#include <gtest/gtest.h>

#include "camera/CameraFixture.h"
#include "params/Identity.h"
#include "support/TestPanel.h"

namespace vistrel {
namespace {

class IdentityHandlerTest : public ::testing::Test {
 protected:
  IdentityHandlerTest() {
    for (int id : ctl::XmlDigitFields)
      panel.Type(id, "");
    panel.AddControl(ctl::XmlVersionWrite);
    panel.AddChoice(ctl::ModelChoice, {"RL-4100T-VLNK", "RL-8200T-VLNK"});
  }
  void TypeXml(const std::string& a, const std::string& b, const std::string& c) {
    panel.Type(2598, a);
    panel.Type(2599, b);
    panel.Type(2600, c);
  }

  test::CameraFixture f{"RL-4100T-VLNK"};
  test::TestPanel panel;
  HandlerContext context{f.table, f.engine, panel, f.session};
};

TEST_F(IdentityHandlerTest, XmlVersionReadFillsTheDigitsAndWriteSendsThem) {
  ASSERT_EQ(f.channel.peer.Exchange("XMLVR=123\r\n"), "COMPLETE\r\n");
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionRead));
  EXPECT_EQ(panel.EditText(2598) + panel.EditText(2599) + panel.EditText(2600), "123");
  EXPECT_TRUE(panel.ControlEnabled(ctl::XmlVersionWrite));

  TypeXml("4", "0", "9");
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionWrite));
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"XMLVR?", "XMLVR=409"}));
  EXPECT_EQ(f.presenter.messages.back().text, "Writing the XML Version has been completed.");

  f.channel.refused = {"XMLVR?"};
  EXPECT_TRUE(Identity::OnButton(context, ctl::XmlVersionRead));
  EXPECT_EQ(panel.EditText(2600), "9") << "a failed read leaves the fields";
}

TEST_F(IdentityHandlerTest, WriteIsOfferedOnlyOnlineWithThreeDigits) {
  TypeXml("1", "2", "3");
  EXPECT_TRUE(Identity::XmlWriteAllowed(panel, true));
  EXPECT_FALSE(Identity::XmlWriteAllowed(panel, false));
  for (const auto& [a, b, c] : std::vector<std::array<std::string, 3>>{
           {"1", "", "3"}, {"1", "x", "3"}, {"1", " ", "3"}, {"12", "2", "3"}}) {
    TypeXml(a, b, c);
    EXPECT_FALSE(Identity::XmlWriteAllowed(panel, true)) << a << '|' << b << '|' << c;
  }
}

TEST_F(IdentityHandlerTest, SetWritesTheModelOfTheSelectedEntry) {
  panel.Pick(ctl::ModelChoice, 1);
  EXPECT_TRUE(Identity::OnSelect(context, ctl::ModelChoice));
  EXPECT_TRUE(f.channel.written.empty()) << "choosing sends nothing";
  EXPECT_TRUE(Identity::OnButton(context, ctl::ModelSet));
  EXPECT_EQ(f.channel.Lines(), (std::vector<std::string>{"MD00=RL-8200T-VLNK", "MD?"}));
  EXPECT_EQ(f.session.model.code, 1);

  f.channel.written.clear();
  panel.AddChoice(ctl::ModelChoice, {"QX-70500C-VLNK"});
  EXPECT_TRUE(Identity::OnButton(context, ctl::ModelSet));
  EXPECT_TRUE(f.channel.written.empty()) << "the entry names no model that Set writes";

  EXPECT_FALSE(Identity::OnButton(context, 1014));
  EXPECT_FALSE(Identity::OnSelect(context, 1349));
}

}  // namespace
}  // namespace vistrel
