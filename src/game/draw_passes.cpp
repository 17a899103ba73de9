// The draw passes of the game round, called back to front: far smoke, far UFOs, near particles, tank
// shots, UFO shots, near UFOs.
#include "common/globals.h"
#include "game/particle_base.h"
#include "game/round.h"
#include "game/tile_lookup.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"

int DrawDistantParticles() {
  gParticleList.ForEach([](const std::shared_ptr<IParticleBase>& p) {
    if (p->Retreated()) p->Draw(GetParticleTiles(p->intImageIndex));
  });
  return 0;
}

int DrawDistantUfos() {
  gUfoList.ForEach([](const std::shared_ptr<IUfoBase>& u) {
    if (u->Retreated()) u->Draw(GetUfoTiles(u->intImageIndex));
  });
  return 0;
}

int DrawNearParticles() {
  gParticleList.ForEach([](const std::shared_ptr<IParticleBase>& p) {
    if (!p->Retreated()) p->Draw(GetParticleTiles(p->intImageIndex));
  });
  return 0;
}

int DrawTankWeapons() {
  gTankWeaponList.ForEach(
      [](const std::shared_ptr<IWeaponBase>& w) { w->Draw(GetTankWeaponTiles(w->intImageIndex)); });
  return 0;
}

int DrawUfoWeapons() {
  gUfoWeaponList.ForEach([](const std::shared_ptr<IWeaponBase>& b) {
    b->Draw(GetUfoWeaponTiles(b->intImageIndex));
    if (!b->blnDraw) gUfoWeaponList.Remove(b);
  });
  return 0;
}

int DrawNearUfos() {
  gUfoList.ForEach([](const std::shared_ptr<IUfoBase>& u) {
    if (!u->Retreated()) u->Draw(GetUfoTiles(u->intImageIndex));
  });
  return 0;
}
