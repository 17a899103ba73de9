#include "game/tank_fireball.h"

#include "sprite/sprite_kind.h"

std::shared_ptr<TTankFireball> TTankFireball::Create(int x, int y, int imageIndex, int index) {
  auto shot = std::make_shared<TTankFireball>();
  shot->Setup(x, y, kKindTankFireball, imageIndex, index, 350, 0.1f, kKindExplosion1, 0, 0.8f);
  return shot;
}

int TTankFireball::Move(int w, int h) {
  return Fly(w, h, false);
}
