#pragma once
// TGreenUfo: flies straight compass headings, a new random one every 1.5 s, stopping on an axis at the
// field's edges; 16 s away, 3 s at full size; fires silently every second.
#include <memory>

#include "game/ufo_base.h"

class TGreenUfo : public IUfoBase {
 public:
  static std::shared_ptr<TGreenUfo> Create(int x, int y, int imageIndex, int index, int retreatInterval);
  int Move(int w, int h) override;
  int Shoot() override;
};
