#include "game/tile_sets.h"

#include "common/globals.h"
#include "sprite/tileset.h"

void CreateTileSets() {
  gGreenTankTiles = TVOTileset::Create("incbin::../Images/greentank.png", 64, 64);
  gHoverTankTiles = TVOTileset::Create("incbin::../Images/hovertank.png", 64, 64);
  gGreenUfoTiles = TVOTileset::Create("incbin::../Images/greenufo.png", 64, 64);
  gScoutUfoTiles = TVOTileset::Create("incbin::../Images/scoutufo.png", 64, 64);
  gBoss1UfoTiles = TVOTileset::Create("incbin::../Images/boss1ufo.png", 96, 96);
  gTankFireballTiles = TVOTileset::Create("incbin::../Images/tank_fireball.png", 32, 32);
  gTankMissileTiles = TVOTileset::Create("incbin::../Images/tank_missile.png", 16, 32);
  gUfoFireballTiles = TVOTileset::Create("incbin::../Images/ufo_fireball.png", 32, 32);
  gSmoke1Tiles = TVOTileset::Create("incbin::../Images/smokey_1.png", 64, 64);
  gSmoke2Tiles = TVOTileset::Create("incbin::../Images/smokey_2.png", 64, 64);
  gSmoke3Tiles = TVOTileset::Create("incbin::../Images/smokey_3.png", 64, 64);
  gExplosion1Tiles = TVOTileset::Create("incbin::../Images/explode_1.png", 64, 64);
  gExplosion2Tiles = TVOTileset::Create("incbin::../Images/explode_2.png", 64, 64);
  gExplosion3Tiles = TVOTileset::Create("incbin::../Images/explode_3.png", 64, 64);
}
