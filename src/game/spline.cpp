#include "game/spline.h"

#include <cmath>
#include <numbers>

double SplineBlend(int s0, int c0, int s1, int c1, int s2, int c2, int s3, int c3, float t) {
  const int d1 = s2 - s0 == 0 ? 1 : s2 - s0;
  const int d2 = s3 - s1 == 0 ? 1 : s3 - s1;
  const float m1 = static_cast<float>(c2 - c0) / static_cast<float>(d1);
  const float m2 = static_cast<float>(c3 - c1) / static_cast<float>(d2);
  const float k1 = static_cast<float>(c1) - m1 * static_cast<float>(s1);
  const float k2 = static_cast<float>(c2) - m2 * static_cast<float>(s2);
  const double span = s2 - s1 == 0 ? 1.0 : static_cast<double>(s2 - s1);
  const double u = (static_cast<double>(t) - s1) / span;
  const double w = (1.0 + std::cos(std::numbers::pi * (1.0 - u))) / 2.0;
  return (1.0 - w) * (k1 + static_cast<double>(m1) * t) + w * (k2 + static_cast<double>(m2) * t);
}

int SplineClamp(double value, int upper) {
  // Clamped before the conversion so that no value, however wild, overflows an int.
  if (!(value > 0)) return 0;
  if (value > upper) return upper;
  return static_cast<int>(value);
}
