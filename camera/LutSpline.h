#pragma once

#include <array>

namespace vistrel {

// A natural cubic spline through at most kMaxKnots values at unit knot spacing (knots at
// t = 0, 1, ..., n-1). Beyond the last knot the last piece is extended.
class NaturalSpline {
 public:
  static constexpr int kMaxKnots = 16;

  // Builds the spline through a[0..n-1]; n is taken as 2..kMaxKnots.
  NaturalSpline(const double* a, int n);

  double Evaluate(double t) const;
  int Knots() const { return n_; }

 private:
  int n_;
  std::array<double, kMaxKnots> a_{};
  std::array<double, kMaxKnots> b_{};
  std::array<double, kMaxKnots> c_{};
  std::array<double, kMaxKnots> d_{};
};

}  // namespace vistrel
