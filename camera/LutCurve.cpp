#include "camera/LutCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "camera/LutSpline.h"

namespace vistrel {
namespace {

// The curve is sampled at this parameter step up to one unit past the last knot.
constexpr double kSampleStep = 0.002;
constexpr int kMaxSamples = 8000 + 16;  // 16 knots give 8000; room for rounding
constexpr int64_t kNoDistance = 999999;
constexpr uint32_t kLastGridInput = 4095;
constexpr uint32_t kGridStep = 128;
// Levels are drawn on 8-pixel steps, rounded to the nearest multiple of 128.
constexpr uint32_t kLevelStepShift = 7;
constexpr uint32_t kLevelHalfStep = 64;

}  // namespace

LutCurve::LutCurve() {
  flags_[0] = flags_[1] = 1;
  points_[0] = {graph_.left, graph_.bottom};
  points_[1] = {graph_.right, graph_.top};
  for (int j = 0; j < kLutEntries; ++j)
    grid_[static_cast<size_t>(j)] = j == kLutEntries - 1 ? kLastGridInput : kGridStep * j;
}

std::string LutCurve::ModeText() const {
  switch (mode_) {
    case 0:
      return "Edit Mode";
    case 1:
      return "View Mode";
    default:
      return "Unknown Mode";
  }
}

int LutCurve::FindPoint(Point p, int first, int last, int tolerance) const {
  for (int i = first; i <= last; ++i) {
    const Point& q = points_[static_cast<size_t>(i)];
    if (std::abs(q.x - p.x) <= tolerance && std::abs(q.y - p.y) <= tolerance)
      return i;
  }
  return -1;
}

bool LutCurve::MouseMove(int mx, int my, MouseKeys keys) {
  if (mx < kGraphOriginX || mx > kGraphOriginX + kGraphSize || my < kGraphOriginY ||
      my > kGraphOriginY + kGraphSize)
    return false;
  const Point p{mx - kGraphOriginX, my - kGraphOriginY};
  if (keys == MouseKeys::LeftOnly) {
    if (const int i = FindPoint(p, 0, count_ - 1, kMoveTolerance); i >= 0) {
      points_[static_cast<size_t>(i)] = p;
    } else if (count_ < kMousePointLimit) {
      points_[static_cast<size_t>(count_)] = p;
      flags_[static_cast<size_t>(count_)] = 1;
      ++count_;
    } else {
      return false;
    }
  } else if (keys == MouseKeys::RightOnly) {
    const int i = FindPoint(p, 1, count_ - 2, kDeleteTolerance);
    if (i < 0)
      return false;
    DeletePoint(i);
  } else {
    return false;
  }
  SortPoints();
  return true;
}

void LutCurve::DeletePoint(int index) {
  flags_[static_cast<size_t>(index)] = 0;
  int kept = 0;
  for (int i = 0; i < count_; ++i) {
    if (flags_[static_cast<size_t>(i)] != 1)
      continue;
    points_[static_cast<size_t>(kept)] = points_[static_cast<size_t>(i)];
    flags_[static_cast<size_t>(kept)] = 1;
    ++kept;
  }
  for (int i = kept; i < kMaxPoints; ++i)
    flags_[static_cast<size_t>(i)] = 0;
  count_ = std::max(kept, kMinPoints);
}

void LutCurve::SortPoints() {
  for (int i = 0; i < count_; ++i) {
    for (int j = 0; j < count_; ++j) {
      if (points_[static_cast<size_t>(i)].x < points_[static_cast<size_t>(j)].x) {
        std::swap(points_[static_cast<size_t>(i)], points_[static_cast<size_t>(j)]);
        std::swap(flags_[static_cast<size_t>(i)], flags_[static_cast<size_t>(j)]);
      }
    }
  }
}

void LutCurve::ConvertEditable(int n) {
  n = std::clamp(n, kMinPoints, kMaxPoints);
  for (int i = 0; i <= n - 2; ++i) {
    const int idx = static_cast<int>(static_cast<float>(i) / static_cast<float>(n - 1) * 32.0f);
    const double level = values_[static_cast<size_t>(idx)];
    points_[static_cast<size_t>(i)] = {kPixelsPerEntry * idx,
                                       static_cast<int32_t>(256.0 - level * 8.0 * 0.0078125)};
  }
  points_[static_cast<size_t>(n - 1)] = {graph_.right, graph_.top};
  flags_.fill(0);
  for (int i = 0; i < n; ++i)
    flags_[static_cast<size_t>(i)] = 1;
  count_ = n;
  SetMode(static_cast<int32_t>(Mode::Edit));
}

void LutCurve::ClearTable() {
  points_[0] = {graph_.left, graph_.bottom};
  points_[1] = {graph_.right, graph_.top};
  flags_.fill(0);
  flags_[0] = flags_[1] = 1;
  count_ = kMinPoints;
  SetMode(static_cast<int32_t>(Mode::Edit));
}

void LutCurve::ComputeTableFromCurve() {
  const int n = count_;
  std::array<double, kMaxPoints> xs{};
  std::array<double, kMaxPoints> ys{};
  for (int i = 0; i < n; ++i) {
    xs[static_cast<size_t>(i)] = points_[static_cast<size_t>(i)].x;
    ys[static_cast<size_t>(i)] = points_[static_cast<size_t>(i)].y;
  }
  const NaturalSpline sx(xs.data(), n);
  const NaturalSpline sy(ys.data(), n);
  static thread_local std::array<double, kMaxSamples> sampleX;
  static thread_local std::array<double, kMaxSamples> sampleY;
  int samples = 0;
  for (double t = 0.0; t <= n && samples < kMaxSamples; t += kSampleStep) {
    sampleX[static_cast<size_t>(samples)] = sx.Evaluate(t);
    sampleY[static_cast<size_t>(samples)] = sy.Evaluate(t);
    ++samples;
  }
  for (int j = 0; j < kLutEntries; ++j) {
    const double input = grid_[static_cast<size_t>(j)];
    int64_t best = kNoDistance;
    int bestSample = 0;
    for (int k = 0; k < samples; ++k) {
      const double distance = std::fabs(input - kLevelsPerPixel * sampleX[static_cast<size_t>(k)]);
      if (distance < static_cast<double>(best)) {
        best = static_cast<int64_t>(distance);
        bestSample = k;
      }
    }
    const double level =
        (graph_.bottom - sampleY[static_cast<size_t>(bestSample)]) * kLevelsPerPixel;
    values_[static_cast<size_t>(j)] = level < 0.0            ? 0u
                                      : level > kLutMaxLevel ? kLutMaxLevel
                                                             : static_cast<uint32_t>(level);
  }
}

int32_t LutCurve::EntryX(int j) const {
  return static_cast<int32_t>((grid_[static_cast<size_t>(j)] * kPixelsPerEntry) >> 7);
}

int32_t LutCurve::LevelY(uint32_t level) const {
  uint32_t steps = level >> kLevelStepShift;
  if ((level & ((1u << kLevelStepShift) - 1)) >= kLevelHalfStep)
    ++steps;
  return graph_.bottom - static_cast<int32_t>(kPixelsPerEntry * steps);
}

std::vector<LutCurve::Point> LutCurve::LinePoints() const {
  std::vector<Point> line;
  line.push_back(InEditMode() ? points_[0] : Point{graph_.left, graph_.bottom});
  for (int j = 0; j < kLutEntries; ++j) {
    const Point p{EntryX(j), LevelY(values_[static_cast<size_t>(j)])};
    if (p.x >= graph_.left && p.x <= graph_.right && p.y >= graph_.top && p.y <= graph_.bottom)
      line.push_back(p);
  }
  return line;
}

}  // namespace vistrel
