#include "game/tank_missile.h"

#include "sprite/sprite_kind.h"

std::shared_ptr<TTankMissile> TTankMissile::Create(int x, int y, int imageIndex, int index) {
  auto shot = std::make_shared<TTankMissile>();
  shot->Setup(x, y, kKindTankMissile, imageIndex, index, 300, 0.5f, kKindExplosion3, 40, 0.4f);
  return shot;
}

int TTankMissile::Move(int w, int h) {
  return Fly(w, h, false);
}
