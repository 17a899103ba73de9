#include "game/explosion_particle.h"

std::shared_ptr<TExplosionParticle> TExplosionParticle::Create(int x, int y, int type, int index) {
  auto burst = std::make_shared<TExplosionParticle>();
  burst->x = static_cast<float>(x);
  burst->y = static_cast<float>(y);
  burst->intType = type;
  burst->intImageIndex = type;
  burst->index = index;
  burst->rotation = 0;
  burst->FrameDelay = 15;
  burst->FrameDelayInterval = 50;
  burst->TotalAnimFrames = 16;
  return burst;
}

int TExplosionParticle::Move(int, int) {
  return StepAnimation();
}
