#include "sprite/point.h"

std::shared_ptr<TPoint> TPoint::Create(float x, float y) {
  auto point = std::make_shared<TPoint>();
  point->SetValues(x, y);
  return point;
}

int TPoint::SetValues(float new_x, float new_y) {
  x = new_x;
  y = new_y;
  return 0;
}
