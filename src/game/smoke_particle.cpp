#include "game/smoke_particle.h"

std::shared_ptr<TSmokeParticle> TSmokeParticle::Create(int x, int y, int type, int index, float scale,
                                                       int frameinterval, int startframe) {
  auto puff = std::make_shared<TSmokeParticle>();
  puff->Start(x, y, type, index, frameinterval);
  puff->xscale = scale;
  puff->yscale = scale;
  puff->CurAnimFrame = startframe;
  return puff;
}

int TSmokeParticle::Move(int, int) {
  return StepAnimation();
}
