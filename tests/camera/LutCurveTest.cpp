#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "camera/LutCurve.h"

namespace vistrel {
namespace {

using Keys = LutCurve::MouseKeys;
using Point = LutCurve::Point;

constexpr int kOx = LutCurve::kGraphOriginX;
constexpr int kOy = LutCurve::kGraphOriginY;

// A mouse move at graph pixel (x, y).
bool Move(LutCurve& curve, int x, int y, Keys keys) {
  return curve.MouseMove(kOx + x, kOy + y, keys);
}

TEST(LutCurveTest, ClearedLineGivesNearlyLinearTable) {
  LutCurve curve;
  curve.Values().fill(777);
  curve.ConvertEditable(5);
  curve.ClearTable();
  EXPECT_EQ(curve.PointCount(), 2);
  EXPECT_EQ(curve.ModeText(), "Edit Mode");
  curve.ComputeTableFromCurve();
  const LutTable& v = curve.Values();
  EXPECT_EQ(v[0], 0u);
  EXPECT_EQ(v[31], 4095u);
  for (int j = 1; j < 31; ++j)
    EXPECT_LE(std::abs(static_cast<int>(v[static_cast<size_t>(j)]) - 128 * j), 5) << j;
}

TEST(LutCurveTest, ConvertEditableSpreadsPointsOverTheTable) {
  LutCurve curve;
  curve.SetMode(1);
  curve.Values()[0] = 100;  // 256 - 100/16 = 249.75
  curve.ConvertEditable(2);
  ASSERT_EQ(curve.PointCount(), 2);
  EXPECT_EQ(curve.PointAt(0), (Point{0, 249}));
  EXPECT_EQ(curve.PointAt(1), (Point{256, 0}));
  EXPECT_TRUE(curve.InEditMode());

  // Four points take entries 0, 10 and 21 (truncated thirds of 32); the last is full scale
  // whatever the table ends with.
  for (int j = 0; j < kLutEntries; ++j)
    curve.Values()[static_cast<size_t>(j)] = static_cast<uint32_t>(j * 64);
  curve.Values()[31] = 0;
  curve.ConvertEditable(4);
  ASSERT_EQ(curve.PointCount(), 4);
  EXPECT_EQ(curve.PointAt(0), (Point{0, 256}));
  EXPECT_EQ(curve.PointAt(1), (Point{80, 256 - 40}));
  EXPECT_EQ(curve.PointAt(2), (Point{168, 256 - 84}));
  EXPECT_EQ(curve.PointAt(3), (Point{256, 0}));
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(curve.Live(i));
}

TEST(LutCurveTest, LeftDragAwayFromPointsAppendsThenDragsTheNewPoint) {
  LutCurve curve;
  EXPECT_TRUE(Move(curve, 128, 60, Keys::LeftOnly));
  ASSERT_EQ(curve.PointCount(), 3);
  EXPECT_EQ(curve.PointAt(1), (Point{128, 60}));  // sorted between the end points
  EXPECT_TRUE(Move(curve, 140, 70, Keys::LeftOnly));
  EXPECT_EQ(curve.PointCount(), 3);
  EXPECT_EQ(curve.PointAt(1), (Point{140, 70}));
  // Near an end point the end point itself moves.
  EXPECT_TRUE(Move(curve, 10, 240, Keys::LeftOnly));
  EXPECT_EQ(curve.PointAt(0), (Point{10, 240}));
  EXPECT_EQ(curve.PointCount(), 3);
}

TEST(LutCurveTest, MovesOutsideTheGraphOrWithOtherKeysChangeNothing) {
  LutCurve curve;
  EXPECT_FALSE(curve.MouseMove(kOx - 1, kOy + 100, Keys::LeftOnly));
  EXPECT_FALSE(curve.MouseMove(kOx + 100, kOy + 257, Keys::LeftOnly));
  EXPECT_FALSE(Move(curve, 128, 128, Keys::Other));
  EXPECT_EQ(curve.PointCount(), 2);
  // The far corner of the graph still counts.
  EXPECT_TRUE(curve.MouseMove(kOx + 256, kOy + 256, Keys::LeftOnly));
}

TEST(LutCurveTest, NoPointIsAddedAtFifteenOrSixteenPoints) {
  for (const int n : {15, 16}) {
    LutCurve curve;
    curve.ConvertEditable(n);  // all points on the bottom edge but the last
    ASSERT_EQ(curve.PointCount(), n);
    EXPECT_FALSE(Move(curve, 128, 100, Keys::LeftOnly)) << n;
    EXPECT_EQ(curve.PointCount(), n);
  }
  // Fourteen points take one more.
  LutCurve curve;
  curve.ConvertEditable(14);
  EXPECT_TRUE(Move(curve, 128, 100, Keys::LeftOnly));
  EXPECT_EQ(curve.PointCount(), 15);
}

TEST(LutCurveTest, RightButtonDeletesInnerPointsOnly) {
  LutCurve curve;
  EXPECT_FALSE(Move(curve, 2, 254, Keys::RightOnly));
  EXPECT_FALSE(Move(curve, 254, 2, Keys::RightOnly));
  EXPECT_EQ(curve.PointCount(), 2);

  Move(curve, 64, 200, Keys::LeftOnly);
  Move(curve, 192, 60, Keys::LeftOnly);
  ASSERT_EQ(curve.PointCount(), 4);
  EXPECT_FALSE(Move(curve, 64 + 17, 200, Keys::RightOnly));  // beyond the tolerance
  EXPECT_TRUE(Move(curve, 64 + 16, 200 - 16, Keys::RightOnly));
  ASSERT_EQ(curve.PointCount(), 3);
  EXPECT_EQ(curve.PointAt(1), (Point{192, 60}));
  EXPECT_TRUE(Move(curve, 190, 62, Keys::RightOnly));
  ASSERT_EQ(curve.PointCount(), 2);
  EXPECT_EQ(curve.PointAt(0), (Point{0, 256}));
  EXPECT_EQ(curve.PointAt(1), (Point{256, 0}));
  EXPECT_TRUE(curve.Live(0));
  EXPECT_TRUE(curve.Live(1));
  EXPECT_FALSE(curve.Live(2));
}

TEST(LutCurveTest, CurveBeyondTheEdgesIsClampedToTheLevelRange) {
  // Through (0,256), (128,0), (256,0) the curve rises above the top edge after the middle.
  LutCurve above;
  Move(above, 128, 0, Keys::LeftOnly);
  above.ComputeTableFromCurve();
  EXPECT_EQ(above.Values()[0], 0u);
  EXPECT_EQ(above.Values()[24], 4095u);
  EXPECT_TRUE(std::ranges::all_of(above.Values(), [](uint32_t v) { return v <= 4095; }));

  // Through (0,256), (128,256), (256,0) it dips below the bottom edge before the middle.
  LutCurve below;
  Move(below, 128, 256, Keys::LeftOnly);
  below.ComputeTableFromCurve();
  EXPECT_EQ(below.Values()[8], 0u);
  EXPECT_EQ(below.Values()[31], 4095u);
  EXPECT_TRUE(std::ranges::all_of(below.Values(), [](uint32_t v) { return v <= 4095; }));
}

TEST(LutCurveTest, LineSkipsEntriesOutsideTheGraph) {
  LutCurve curve;
  curve.SetMode(1);
  for (int j = 0; j < kLutEntries; ++j)
    curve.Values()[static_cast<size_t>(j)] = static_cast<uint32_t>(j * 128);
  curve.Values()[5] = 5000;  // drawn above the top edge
  curve.Values()[31] = 4095;
  curve.Values()[30] = 63;  // levels are drawn rounded to multiples of 128
  curve.Values()[29] = 64;
  const std::vector<Point> line = curve.LinePoints();
  ASSERT_EQ(line.size(), 32u);  // the start and 31 entries
  EXPECT_EQ(line[0], (Point{0, 256}));
  EXPECT_EQ(line[5], (Point{32, 256 - 32}));
  EXPECT_EQ(line[6], (Point{48, 256 - 48}));
  EXPECT_EQ(line[29], (Point{232, 248}));
  EXPECT_EQ(line[30], (Point{240, 256}));
  EXPECT_EQ(line[31], (Point{255, 0}));
  curve.SetMode(2);
  EXPECT_EQ(curve.ModeText(), "Unknown Mode");
  curve.SetMode(1);
  EXPECT_EQ(curve.ModeText(), "View Mode");

  // In Edit Mode the line starts at the first edit point.
  curve.ConvertEditable(3);
  Move(curve, 2, 230, Keys::LeftOnly);
  EXPECT_EQ(curve.LinePoints()[0], (Point{2, 230}));
}

}  // namespace
}  // namespace vistrel
