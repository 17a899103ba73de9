#pragma once
// TCollision: the geometric tests on closed screen boxes and points used by the collision pass and the
// menu buttons. Boxes are (left, top, right, bottom); edges belong to the box.

class TCollision {
 public:
  TCollision() = delete;

  // 1 when box A (ax1, ay1)-(ax2, ay2) and box B (bx1, by1)-(bx2, by2) overlap or touch, else 0.
  static int BoundingBox(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2,
                         float by2);
  // 1 when (px, py) lies in the box (x1, y1)-(x2, y2), edges included.
  static int PointToBox(int px, int py, int x1, int y1, int x2, int y2);
  // The city-block distance |x2 - x1| + |y2 - y1|.
  static float Dist2(float x1, float y1, float x2, float y2);
  // The straight-line distance, worked out in double precision.
  static float Dist(float x1, float y1, float x2, float y2);
  // Kept for callers of the box distance; it always answers 0.
  static float BoxDist(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2);
};
