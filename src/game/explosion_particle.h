#pragma once
// TExplosionParticle: the burst where a shot hits something (or the ground).
#include <memory>

#include "game/particle_base.h"

class TExplosionParticle : public IParticleBase {
 public:
  static std::shared_ptr<TExplosionParticle> Create(int x, int y, int type, int index);
  int Move(int w, int h) override;
};
