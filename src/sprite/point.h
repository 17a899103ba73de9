#pragma once
// TPoint: a control point of a UFO's flight path.
#include <memory>

class TPoint {
 public:
  static std::shared_ptr<TPoint> Create(float x, float y);
  int SetValues(float new_x, float new_y);

  float x = 0, y = 0;
};
