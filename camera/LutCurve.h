#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "camera/LutTables.h"

namespace vistrel {

// The curve of one LUT editor, without its window: the edit points the operator shapes with
// the mouse, the table derived from them, and the mapping of levels onto the 256 x 256 pixel
// graph. Pixel y grows downwards: y = 0 is full scale, y = 256 is level 0.
class LutCurve {
 public:
  struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
  };
  struct Rect {
    int32_t left, top, right, bottom;
  };

  enum class Mode : int32_t { Edit = 0, View = 1 };
  // The buttons and modifier keys held during a mouse move.
  enum class MouseKeys { LeftOnly, RightOnly, Other };

  static constexpr int kMaxPoints = 16;
  // Points the mouse may add up to; "Convert Editable" alone reaches kMaxPoints.
  static constexpr int kMousePointLimit = 15;
  static constexpr int kMinPoints = 2;
  static constexpr int kMoveTolerance = 32;
  static constexpr int kDeleteTolerance = 16;
  static constexpr int kGraphSize = 256;
  // Where the graph's client area sits in the window's client area.
  static constexpr int kGraphOriginX = 160;
  static constexpr int kGraphOriginY = 20;
  static constexpr int kLevelsPerPixel = 16;
  static constexpr int kPixelsPerEntry = 8;
  static constexpr int kConvertDefault = 8;

  LutCurve();

  // Mouse editing, in window-client coordinates. True when the points changed (and the
  // graph is to be redrawn).
  bool MouseMove(int mx, int my, MouseKeys keys);
  // Turns the current table into n (2..16) evenly spread edit points; Edit Mode.
  void ConvertEditable(int n);
  // Back to the straight line from level 0 to full scale; Edit Mode. The table follows at
  // the next ComputeTableFromCurve.
  void ClearTable();
  // Replaces the table with the one the curve through the live points gives.
  void ComputeTableFromCurve();
  // Sorts the points by x (the exchange sort also decides the order of equal x).
  void SortPoints();

  void SetMode(int32_t mode) { mode_ = mode; }
  int32_t ModeValue() const { return mode_; }
  bool InEditMode() const { return mode_ == static_cast<int32_t>(Mode::Edit); }
  // "Edit Mode", "View Mode" or "Unknown Mode".
  std::string ModeText() const;

  // Where entry j and a level are drawn in the graph.
  int32_t EntryX(int j) const;
  int32_t LevelY(uint32_t level) const;
  // The LUT line: its start and the pixels of the entries that lie inside the graph.
  std::vector<Point> LinePoints() const;

  int PointCount() const { return count_; }
  Point PointAt(int i) const { return points_[static_cast<size_t>(i)]; }
  bool Live(int i) const { return flags_[static_cast<size_t>(i)] == 1; }
  const Rect& Graph() const { return graph_; }
  const std::array<uint32_t, kLutEntries>& Grid() const { return grid_; }
  LutTable& Values() { return values_; }
  const LutTable& Values() const { return values_; }

 private:
  // The first point from `first` to `last` within `tolerance` of p in both axes, or -1.
  int FindPoint(Point p, int first, int last, int tolerance) const;
  void DeletePoint(int index);

  Rect graph_{0, 0, kGraphSize, kGraphSize};
  int count_ = kMinPoints;
  std::array<Point, kMaxPoints> points_{};
  std::array<int32_t, kMaxPoints> flags_{};
  std::array<uint32_t, kLutEntries> grid_{};
  LutTable values_{};
  int32_t mode_ = static_cast<int32_t>(Mode::Edit);
};

}  // namespace vistrel
