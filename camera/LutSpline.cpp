#include "camera/LutSpline.h"

#include <algorithm>
#include <cmath>

namespace vistrel {

NaturalSpline::NaturalSpline(const double* a, int n) : n_(std::clamp(n, 2, kMaxKnots)) {
  for (int i = 0; i < n_; ++i)
    a_[i] = a[i];
  // The second-derivative terms: zero at both ends, a tridiagonal system for the inner knots
  // solved by forward elimination and back substitution.
  std::array<double, kMaxKnots> w{};
  c_[0] = 0.0;
  c_[n_ - 1] = 0.0;
  for (int i = 1; i <= n_ - 2; ++i) {
    const double r = 3.0 * (a_[i - 1] - 2.0 * a_[i] + a_[i + 1]);
    const double m = 4.0 - w[i - 1];
    c_[i] = (r - c_[i - 1]) / m;
    w[i] = 1.0 / m;
  }
  for (int i = n_ - 2; i >= 1; --i)
    c_[i] = c_[i] - w[i] * c_[i + 1];
  for (int i = 0; i <= n_ - 2; ++i) {
    d_[i] = (c_[i + 1] - c_[i]) / 3.0;
    b_[i] = (a_[i + 1] - a_[i]) - c_[i] - d_[i];
  }
}

double NaturalSpline::Evaluate(double t) const {
  const int i = std::clamp(static_cast<int>(std::floor(t)), 0, n_ - 2);
  const double u = t - i;
  return ((d_[i] * u + c_[i]) * u + b_[i]) * u + a_[i];
}

}  // namespace vistrel
