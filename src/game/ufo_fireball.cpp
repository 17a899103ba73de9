#include "game/ufo_fireball.h"

#include "common/delta.h"
#include "sprite/compass.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TUfoFireball> TUfoFireball::Create(int x, int y, int imageIndex, int index) {
  auto shot = std::make_shared<TUfoFireball>();
  shot->Setup(x, y, kKindUfoFireball, imageIndex, index, 350, 0.1f, kKindExplosion2, 40, 0.8f);
  return shot;
}

int TUfoFireball::Move(int w, int h) {
  return Fly(w, h, true);
}

float TUfoFireball::GetYSpeed(int angle) {
  return static_cast<float>(-CompassYStep(angle) * static_cast<double>(speed) * TDelta::Time());
}
