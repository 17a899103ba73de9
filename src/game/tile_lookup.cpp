#include "game/tile_lookup.h"

#include "common/globals.h"
#include "sprite/sprite_kind.h"
#include "sprite/tileset.h"

namespace {
const std::shared_ptr<TVOTileset> kNoTiles;
}  // namespace

const std::shared_ptr<TVOTileset>& GetTankTiles(int code) {
  switch (code) {
    case kKindTank:
      return gGreenTankTiles;
    case kKindHoverTank:
      return gHoverTankTiles;
    default:
      return kNoTiles;
  }
}

const std::shared_ptr<TVOTileset>& GetTankWeaponTiles(int code) {
  switch (code) {
    case kKindTankFireball:
      return gTankFireballTiles;
    case kKindTankMissile:
      return gTankMissileTiles;
    default:
      return kNoTiles;
  }
}

const std::shared_ptr<TVOTileset>& GetUfoWeaponTiles(int code) {
  return code == kKindUfoFireball ? gUfoFireballTiles : kNoTiles;
}

const std::shared_ptr<TVOTileset>& GetUfoTiles(int code) {
  switch (code) {
    case kKindScoutUfo:
      return gScoutUfoTiles;
    case kKindGreenUfo:
      return gGreenUfoTiles;
    case kKindBoss1Ufo:
      return gBoss1UfoTiles;
    default:
      return kNoTiles;
  }
}

const std::shared_ptr<TVOTileset>& GetParticleTiles(int code) {
  switch (code) {
    case kKindSmoke1:
      return gSmoke1Tiles;
    case kKindSmoke2:
      return gSmoke2Tiles;
    case kKindSmoke3:
      return gSmoke3Tiles;
    case kKindExplosion1:
      return gExplosion1Tiles;
    case kKindExplosion2:
      return gExplosion2Tiles;
    case kKindExplosion3:
      return gExplosion3Tiles;
    default:
      return kNoTiles;
  }
}
