#include "game/explosion_particle.h"

std::shared_ptr<TExplosionParticle> TExplosionParticle::Create(int x, int y, int type, int index) {
  auto burst = std::make_shared<TExplosionParticle>();
  burst->Start(x, y, type, index, 50);
  return burst;
}

int TExplosionParticle::Move(int, int) {
  return StepAnimation();
}
