#include "game/round.h"

#include "common/globals.h"
#include "engine/render/render.h"
#include "game/level_display.h"
#include "game/particle_base.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/tile_lookup.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"

namespace {
void ClearWorld() {
  gUfoList.Clear();
  gUfoWeaponList.Clear();
  gTankWeaponList.Clear();
  gParticleList.Clear();
}
}  // namespace

int PlayGame() {
  if (gGameInProgress == 0) NewGame();
  if (gLevel == 0 || gUfoList.IsEmpty()) {
    NextLevel();
    SpawnScoutUfos(gLevel * 2, true);
  }
  UpdateWorld(gPlayer);
  DrawWorld(gPlayer);
  DrawLevel();
  DrawLine(0, gScreenHeight - 175, gScreenWidth, gScreenHeight - 175, 1);
  return 0;
}

int UpdateWorld(const std::shared_ptr<TPlayer>& tank) {
  ClearRegions();
  if (tank) {
    tank->Move(gScreenWidth);
    AddToRegions(tank);
  }
  UpdateUfos();
  UpdateTankWeapons();
  UpdateUfoWeapons();
  UpdateParticles();
  CheckCollisions(tank);
  return 0;
}

int DrawWorld(const std::shared_ptr<TPlayer>& tank) {
  DrawDistantParticles();
  DrawDistantUfos();
  DrawNearParticles();
  DrawTankWeapons();
  DrawUfoWeapons();
  DrawNearUfos();
  if (tank) tank->Draw(GetTankTiles(tank->intImageIndex));
  return 0;
}

int NewGame() {
  gLevel = 9;
  ClearWorld();
  if (gPlayer) gPlayer->MakeInvincible();
  gGameInProgress = 1;
  return 0;
}

int NextLevel() {
  ++gLevel;
  ClearWorld();
  return 0;
}
