#include <QtGui/QMouseEvent>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <fstream>
#include <sstream>

#include "GuiFixture.h"
#include "app/MainMenu.h"
#include "camera/GammaFile.h"
#include "ui/LUTDlg.h"
#include "ui/LutGraph.h"

namespace vistrel::test {
namespace {

// A mouse move over the editor at graph pixel (x, y) with `buttons` held.
void MoveWith(CLUTDlg& editor, int x, int y, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF at(LutCurve::kGraphOriginX + x, LutCurve::kGraphOriginY + y);
  QMouseEvent event(QEvent::MouseMove, at, editor.mapToGlobal(at), Qt::NoButton, buttons,
                    modifiers);
  QApplication::sendEvent(&editor, &event);
}

QString ModeText(CLUTDlg& editor) {
  return editor.findChild<QLabel*>("c1578")->text();
}

void Click(CLUTDlg& editor, const char* name) {
  QTest::mouseClick(editor.findChild<QPushButton*>(name), Qt::LeftButton);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Sets the page's LUT mode without sending it, then asks for the editors from the page.
void OpenFromPage(CVistrelDlg& dialog, int lutMode) {
  auto* mode = qobject_cast<QComboBox*>(dialog.Registry().FindControl(1381));
  ASSERT_NE(mode, nullptr);
  {
    const QSignalBlocker quiet(mode);
    mode->setCurrentIndex(lutMode);
  }
  dialog.Luts().OpenFromPage();
}

class LutEditorTest : public ::testing::Test {
 protected:
  CVistrelDlg& Start() {
    CVistrelDlg& started = program.Start();
    for (int c = 0; c < kLutChannels; ++c)
      EXPECT_FALSE(started.Luts().Editor(c)->isVisible());
    return started;
  }

  TestProgram program;
  CVistrelDlg& dialog = Start();
};

TEST_F(LutEditorTest, DraggingAPointShapesTheTable) {
  CLUTDlg& editor = *dialog.Luts().Editor(1);
  editor.show();
  EXPECT_EQ(editor.windowTitle(), "LUT Setting for Green");
  EXPECT_EQ(ModeText(editor), "Edit Mode");

  // Pressed away from both end points: a new point under the cursor, then dragged up.
  for (int y = 100; y >= 40; y -= 20)
    MoveWith(editor, 128, y, Qt::LeftButton);
  ASSERT_EQ(editor.Curve().PointCount(), 3);
  EXPECT_EQ(editor.Curve().PointAt(1), (LutCurve::Point{128, 40}));
  editor.Graph()->grab();  // painting derives the table from the curve in Edit Mode
  const LutTable& values = editor.Values();
  EXPECT_NEAR(static_cast<int>(values[16]), (256 - 40) * 16, 16);
  EXPECT_GT(values[8], 1024u + 400u);  // well above the straight line

  // With a modifier held nothing happens; the right button alone deletes the point.
  MoveWith(editor, 128, 40, Qt::RightButton, Qt::ShiftModifier);
  EXPECT_EQ(editor.Curve().PointCount(), 3);
  MoveWith(editor, 130, 44, Qt::RightButton);
  EXPECT_EQ(editor.Curve().PointCount(), 2);
}

TEST_F(LutEditorTest, ButtonsReadWriteClearAndConvert) {
  CLUTDlg& editor = *dialog.Luts().Editor(2);
  editor.show();
  Click(editor, "c1574");  // Read Table Data
  EXPECT_EQ(ModeText(editor), "View Mode");
  EXPECT_EQ(editor.Values()[1], 128u);
  EXPECT_TRUE(dialog.isEnabled());
  EXPECT_TRUE(editor.isEnabled());
  EXPECT_EQ(dialog.Tools().Progress().Message(),
            "Now, reading camera gamma data  [B].   (32 / 32)");

  editor.Curve().Values()[3] = 1000;
  Click(editor, "c1146");  // Write Table Data
  EXPECT_EQ(program.camera->With([](SimCamera& c) { return c.Working().lutChannels[2][3]; }), 1000);
  Click(editor, "c1150");  // the same table under all three channels
  EXPECT_EQ(program.camera->With([](SimCamera& c) { return c.Working().lutChannels[0][3]; }), 1000);

  editor.findChild<QSpinBox*>("c1576")->setValue(5);
  Click(editor, "c1149");  // Convert Editable
  EXPECT_EQ(ModeText(editor), "Edit Mode");
  EXPECT_EQ(editor.Curve().PointCount(), 5);
  Click(editor, "c1147");  // Clear Table Data
  EXPECT_EQ(editor.Curve().PointCount(), 2);
}

TEST_F(LutEditorTest, MenuOffersEveryEditorAndClosingOnlyHides) {
  ASSERT_TRUE(dialog.Menu().Run(menu::kLutEditorRed));
  CLUTDlg* red = dialog.Luts().Editor(0);
  EXPECT_TRUE(red->isVisible());
  red->Curve().Values()[0] = 77;
  red->close();
  EXPECT_EQ(dialog.Luts().Editor(0), red);
  EXPECT_EQ(red->Values()[0], 77u);
  // The items keep their Alt letters after the read.
  EXPECT_EQ(dialog.Menu().Action(menu::kLutEditorGreen)->text(), "LUT Setting for &Green");
}

TEST_F(LutEditorTest, OpenLutTableButtonOpensTheEditorsInUserLutModeOnly) {
  OpenFromPage(dialog, 1);
  EXPECT_FALSE(dialog.Luts().Editor(1)->isVisible());
  OpenFromPage(dialog, 2);
  for (int c = 0; c < kLutChannels; ++c)
    EXPECT_TRUE(dialog.Luts().Editor(c)->isVisible()) << c;
  dialog.Luts().HideAll();
  for (int c = 0; c < kLutChannels; ++c)
    EXPECT_FALSE(dialog.Luts().Editor(c)->isVisible()) << c;

  dialog.Luts().ShowMonochromeEditor(true);
  EXPECT_TRUE(dialog.Luts().Editor(1)->isVisible());
  EXPECT_EQ(dialog.Luts().Editor(1)->windowTitle(), "LUT Setting for Monochrome");
  dialog.Luts().ShowMonochromeEditor(false);
  EXPECT_FALSE(dialog.Luts().Editor(1)->isVisible());
}

TEST(LutEditorMonochrome, MonochromeModelHasOneEditor) {
  TestProgram program;
  ASSERT_EQ(program.camera->Exchange("MD00=QX-70500M-VLNK\r\n"), "COMPLETE\r\n");
  CVistrelDlg& dialog = program.Start();
  EXPECT_FALSE(dialog.Menu().Action(menu::kLutEditorRed)->isVisible());
  EXPECT_FALSE(dialog.Menu().Action(menu::kLutEditorBlue)->isVisible());
  EXPECT_EQ(dialog.Menu().Action(menu::kLutEditorGreen)->text(), "LUT Setting for &Monochrome");

  OpenFromPage(dialog, 2);
  EXPECT_FALSE(dialog.Luts().Editor(0)->isVisible());
  EXPECT_FALSE(dialog.Luts().Editor(2)->isVisible());
  EXPECT_TRUE(dialog.Luts().Editor(1)->isVisible());
}

TEST_F(LutEditorTest, LutFilesLoadIntoTheEditorsAndSaveWhatTheCameraHolds) {
  const std::string saved = program.folder.File("gamma.csv");
  program.messages.files = {saved};
  ASSERT_TRUE(dialog.Menu().Run(menu::kSaveLutFile));
  EXPECT_TRUE(ReadFile(saved).starts_with("GammaData (R G B)\r\n0,0,0\r\n128,128,128\r\n"));
  EXPECT_EQ(program.messages.fileRequests.back().filter, kGammaSaveFilter);

  // A good file lands in all three editors, shown as they are.
  const std::string good = program.folder.File("good.csv");
  std::ofstream(good) << "GammaData (R G B)\n1,2,3\n4,5,6\n\n";
  program.messages.files = {good};
  dialog.Menu().Run(menu::kOpenLutFile);
  EXPECT_TRUE(program.messages.messages.empty());
  EXPECT_EQ(dialog.Luts().Editor(0)->Values()[1], 4u);
  EXPECT_EQ(dialog.Luts().Editor(2)->Values()[0], 3u);
  EXPECT_EQ(dialog.Luts().Editor(2)->Values()[2], 256u);  // as the camera gave it
  EXPECT_EQ(ModeText(*dialog.Luts().Editor(0)), "View Mode");

  // A file refused part-way leaves every editor as it was.
  const std::string bad = program.folder.File("bad.csv");
  std::ofstream(bad) << "GammaData (R G B)\n9,9,9\n1,2\n";
  program.messages.files = {bad};
  dialog.Menu().Run(menu::kOpenLutFile);
  EXPECT_EQ(program.messages.messages.size(), 1u);
  EXPECT_EQ(dialog.Luts().Editor(0)->Values()[0], 1u);

  program.messages.files = {good};
  program.messages.answers = {false};
  dialog.Menu().Run(menu::kSaveLutFile);
  EXPECT_EQ(program.messages.questions.size(), 1u);
  EXPECT_EQ(ReadFile(good), "GammaData (R G B)\n1,2,3\n4,5,6\n\n");
}

}  // namespace
}  // namespace vistrel::test
