#pragma once
// TScoutUfo: the small UFO of every level. Flies back and forth along one random curved path, retreats
// silently (waiting its own interval both away and at full size) and drops a fireball every 4 s.
#include <memory>

#include "game/ufo_base.h"

class TScoutUfo : public IUfoBase {
 public:
  static std::shared_ptr<TScoutUfo> Create(int x, int y, int imageIndex, int index, int retreatInterval);
  int Move(int w, int h) override;
  int Shoot() override;
  int Retreat() override;
};
