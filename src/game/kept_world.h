#pragma once
// TKeptWorld: a game round set aside while something else (the tutorial) uses the object lists, the
// region grid and the level, then given back exactly as it was.
#include <memory>

#include "engine/base/base.h"
#include "game/regions.h"

class IUfoBase;
class IWeaponBase;
class IParticleBase;

class TKeptWorld {
 public:
  // Takes the round's four lists and its region grid out of play, leaving them empty, and notes the level.
  void Keep();
  // Puts them and the level back and drops whatever the lists and the grid hold now. Does nothing unless
  // kept.
  void GiveBack();
  bool Holding() const { return holding_; }

 private:
  bool holding_ = false;
  TList<IUfoBase> ufos_;
  TList<IWeaponBase> ufoWeapons_;
  TList<IWeaponBase> tankWeapons_;
  TList<IParticleBase> particles_;
  TRegionGrid regions_;
  int level_ = 0;
};
