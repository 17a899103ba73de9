#include "game/kept_world.h"

#include <utility>

#include "common/globals.h"
#include "game/particle_base.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"

namespace {
// Both sides exchange everything, so nothing of one ever shows up in the other.
void SwapWorld(TList<IUfoBase>& ufos, TList<IWeaponBase>& ufoWeapons, TList<IWeaponBase>& tankWeapons,
               TList<IParticleBase>& particles, TRegionGrid& regions) {
  std::swap(gUfoList, ufos);
  std::swap(gUfoWeaponList, ufoWeapons);
  std::swap(gTankWeaponList, tankWeapons);
  std::swap(gParticleList, particles);
  std::swap(gRegions, regions);
}
}  // namespace

void TKeptWorld::Keep() {
  if (holding_) return;
  ufos_.Clear();
  ufoWeapons_.Clear();
  tankWeapons_.Clear();
  particles_.Clear();
  regions_ = TRegionGrid();
  SwapWorld(ufos_, ufoWeapons_, tankWeapons_, particles_, regions_);
  level_ = gLevel;
  holding_ = true;
}

void TKeptWorld::GiveBack() {
  if (!holding_) return;
  SwapWorld(ufos_, ufoWeapons_, tankWeapons_, particles_, regions_);
  gLevel = level_;
  ufos_.Clear();
  ufoWeapons_.Clear();
  tankWeapons_.Clear();
  particles_.Clear();
  regions_ = TRegionGrid();
  holding_ = false;
}
