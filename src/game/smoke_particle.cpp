#include "game/smoke_particle.h"

std::shared_ptr<TSmokeParticle> TSmokeParticle::Create(int x, int y, int type, int index, float scale,
                                                       int frameinterval, int startframe) {
  auto puff = std::make_shared<TSmokeParticle>();
  puff->x = static_cast<float>(x);
  puff->y = static_cast<float>(y);
  puff->intType = type;
  puff->intImageIndex = type;
  puff->index = index;
  puff->rotation = 0;
  puff->FrameDelay = 15;
  puff->FrameDelayInterval = frameinterval;
  puff->TotalAnimFrames = 16;
  puff->xscale = scale;
  puff->yscale = scale;
  puff->CurAnimFrame = startframe;
  return puff;
}

int TSmokeParticle::Move(int, int) {
  return StepAnimation();
}
