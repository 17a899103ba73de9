// The update passes of the game round: move each live object and enter it into the region grid; take
// the dead ones out of their lists.
#include <type_traits>

#include "common/globals.h"
#include "game/particle_base.h"
#include "game/regions.h"
#include "game/round.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"

namespace {
template <class T>
void UpdateList(TList<T>& list) {
  list.ForEach([&list](const std::shared_ptr<T>& item) {
    if (item->blnDraw) {
      item->Move(gScreenWidth, gScreenHeight);
      if constexpr (!std::is_same_v<T, IParticleBase>) AddToRegions(item);  // particles never collide
    } else {
      list.Remove(item);
    }
  });
}
}  // namespace

int UpdateUfos() {
  UpdateList(gUfoList);
  return 0;
}

int UpdateTankWeapons() {
  UpdateList(gTankWeaponList);
  return 0;
}

int UpdateUfoWeapons() {
  UpdateList(gUfoWeaponList);
  return 0;
}

int UpdateParticles() {
  UpdateList(gParticleList);
  return 0;
}
