#include "common/collision.h"

#include <cmath>

int TCollision::BoundingBox(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2,
                            float by2) {
  if (ax1 > bx2) return 0;
  if (ax2 < bx1) return 0;
  if (ay1 > by2) return 0;
  if (ay2 < by1) return 0;
  return 1;
}

int TCollision::PointToBox(int px, int py, int x1, int y1, int x2, int y2) {
  return (x1 <= px && x2 >= px && y1 <= py && y2 >= py) ? 1 : 0;
}

float TCollision::Dist2(float x1, float y1, float x2, float y2) {
  return std::fabs(x2 - x1) + std::fabs(y2 - y1);
}

float TCollision::Dist(float x1, float y1, float x2, float y2) {
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float TCollision::BoxDist(float, float, float, float, float, float, float, float) {
  return 0.0f;
}
