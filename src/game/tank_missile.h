#pragma once
// TTankMissile: the tank's missile, slower than the fireball but five times the damage.
#include <memory>

#include "game/weapon_base.h"

class TTankMissile : public IWeaponBase {
 public:
  static std::shared_ptr<TTankMissile> Create(int x, int y, int imageIndex, int index);
  int Move(int w, int h) override;
};
