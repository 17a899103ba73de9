#pragma once
// TBoss1Ufo: the large, tough UFO: flies like the green one but tilts toward the side it flies to and
// shows one sideways row for both sides; 16 s away, 6 s at full size.
#include <memory>

#include "game/ufo_base.h"

class TBoss1Ufo : public IUfoBase {
 public:
  static std::shared_ptr<TBoss1Ufo> Create(int x, int y, int imageIndex, int index);
  int Move(int w, int h) override;
  int Shoot() override;
  int GetAnimFrame(int heading) override;
};
