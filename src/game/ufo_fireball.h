#pragma once
// TUfoFireball: a fireball dropped by a UFO; angle 0 points down.
#include <memory>

#include "game/weapon_base.h"

class TUfoFireball : public IWeaponBase {
 public:
  static std::shared_ptr<TUfoFireball> Create(int x, int y, int imageIndex, int index);
  int Move(int w, int h) override;
  float GetYSpeed(int angle) override;
};
