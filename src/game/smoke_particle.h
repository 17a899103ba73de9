#pragma once
// TSmokeParticle: a puff left behind by a damaged UFO or a shot in flight, scaled like its maker.
#include <memory>

#include "game/particle_base.h"

class TSmokeParticle : public IParticleBase {
 public:
  static std::shared_ptr<TSmokeParticle> Create(int x, int y, int type, int index, float scale,
                                                int frameinterval, int startframe);
  int Move(int w, int h) override;
};
