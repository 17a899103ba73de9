#pragma once
// TTankFireball: a fireball fired straight up by the tank (0.1 damage).
#include <memory>

#include "game/weapon_base.h"

class TTankFireball : public IWeaponBase {
 public:
  static std::shared_ptr<TTankFireball> Create(int x, int y, int imageIndex, int index);
  int Move(int w, int h) override;
};
