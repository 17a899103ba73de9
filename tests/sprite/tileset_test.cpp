// Sprite defaults, the compass and the tile sets cut from the built-in strips.
#include <gtest/gtest.h>

#include "common/globals.h"
#include "common/register_assets.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "game/tile_sets.h"
#include "sprite/compass.h"
#include "sprite/point.h"
#include "sprite/sprite.h"
#include "sprite/tileset.h"

TEST(Sprite, DefaultsAndFrameDelay) {
  TSprite sprite;
  EXPECT_EQ(sprite.intType, -1);
  EXPECT_EQ(sprite.basespeed, 180.0f);
  EXPECT_EQ(sprite.speed, 180.0f);
  EXPECT_EQ(sprite.TotalAnimFrames, 3);
  EXPECT_EQ(sprite.FrameDelayInterval, 500);
  EXPECT_EQ(sprite.FrameDelay, 5.0);
  EXPECT_EQ(sprite.StartAnimFrame, 1);
  EXPECT_EQ(sprite.smokeinterval, 100);
  sprite.SetFrameDelayDefault(8);
  EXPECT_EQ(sprite.FrameDelay, 8.0);
  EXPECT_EQ(TSprite::cLEFT + TSprite::cRIGHT, 10);
  auto point = TPoint::Create(3.5f, -2);
  EXPECT_EQ(point->x, 3.5f);
  point->SetValues(1, 2);
  EXPECT_EQ(point->y, 2.0f);
}

TEST(Sprite, Compass) {
  const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(CompassXStep(45 * i), dx[i]);
    EXPECT_EQ(CompassYStep(45 * i), dy[i]);
    EXPECT_EQ(CompassAngle(i), 45 * i);
  }
  for (int odd : {-45, 10, 360, 400}) {
    EXPECT_EQ(CompassXStep(odd), 0);
    EXPECT_EQ(CompassYStep(odd), 0);
  }
  EXPECT_EQ(CompassAngle(8), 0);
  EXPECT_EQ(CompassAngle(-1), 0);
}

TEST(TileSet, CutFromTheBuiltInStrips) {
  UseHeadlessPlatform();
  RegisterAssets();
  auto tank = TVOTileset::Create("incbin::../Images/greentank.png", 64, 64);
  ASSERT_TRUE(tank->image);
  EXPECT_EQ(tank->tilecount, 10);
  EXPECT_EQ(tank->image->FrameCount(), 10);
  EXPECT_EQ(tank->intCenterX, 32);
  EXPECT_EQ(tank->image->handle_x, 32.0f);
  auto missile = TVOTileset::Create("incbin::../Images/tank_missile.png", 16, 32);
  EXPECT_EQ(missile->tilecount, 4);
  EXPECT_EQ(missile->intCenterX, 8);
  EXPECT_EQ(missile->intCenterY, 16);
  // Partial tiles at the right and bottom are left out; odd sizes truncate the centre.
  auto odd = TVOTileset::Create("incbin::../Images/smokey_1.png", 15, 100);
  EXPECT_EQ(odd->tilecount, 17 * 2);
  EXPECT_EQ(odd->intCenterX, 7);
  auto missing = TVOTileset::Create("incbin::../Images/none.png", 64, 64);
  EXPECT_FALSE(missing->image);
  EXPECT_EQ(missing->tilecount, 0);
  EXPECT_EQ(missing->intCenterX, 0);

  CreateTileSets();
  EXPECT_EQ(gSmoke1Tiles->tilecount, 16);
  EXPECT_EQ(gBoss1UfoTiles->tilecount, 8);
  EXPECT_EQ(gScoutUfoTiles->tilecount, 12);
  EXPECT_EQ(gUfoFireballTiles->tilecount, 4);
  for (const auto* tiles :
       {&gGreenTankTiles, &gHoverTankTiles, &gGreenUfoTiles, &gScoutUfoTiles, &gBoss1UfoTiles,
        &gTankFireballTiles, &gTankMissileTiles, &gUfoFireballTiles, &gSmoke1Tiles, &gSmoke2Tiles,
        &gSmoke3Tiles, &gExplosion1Tiles, &gExplosion2Tiles, &gExplosion3Tiles}) {
    ASSERT_TRUE(*tiles);
    EXPECT_TRUE((*tiles)->image);
  }
}
