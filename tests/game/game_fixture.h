#pragma once
// A headless world for gameplay tests: settable clock, injected keys, recording renderer, the real tile
// sets, empty lists, a fixed-seed game generator and helpers to run frames and build pictures.
#include <gtest/gtest.h>

#include <memory>

#include "app/startup.h"
#include "common/delta.h"
#include "common/globals.h"
#include "common/random_number.h"
#include "common/register_assets.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/tile_sets.h"
#include "sprite/tileset.h"

// Puts a tile set in place of a global one for the life of the guard.
class TileSwap {
 public:
  TileSwap(std::shared_ptr<TVOTileset>& slot, std::shared_ptr<TVOTileset> tiles) : slot_(slot), saved_(slot) {
    slot_ = std::move(tiles);
  }
  ~TileSwap() { slot_ = saved_; }

 private:
  std::shared_ptr<TVOTileset>& slot_;
  std::shared_ptr<TVOTileset> saved_;
};

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform = UseHeadlessPlatform();
    graphics = OpenGraphics(800, 600);
    static bool loaded = [] {
      RegisterAssets();
      CreateTileSets();
      gFontImage = LoadStripImage("incbin::../Images/font.png", 32, 32, 0, 90, -1);
      CreateLevelLabel();
      return true;
    }();
    (void)loaded;
    ClearWorld();
    gRandomNumber = TRandomNumber::Create(1);
    SeedRandom(4660);
    TDelta::Reset();
    TDelta::StartAt(ClockMillis());
    gLevel = 0;
    gGameInProgress = 0;
    gPlayer = TPlayer::Create(400, 500, 100);
    gTankMissileSound = gUfoFireballSound = gUfoAttackSound = gUfoRetreatSound = gExplodeSound = nullptr;
  }

  void TearDown() override {
    ClearWorld();
    ClearRegions();
    gPlayer.reset();
  }

  static void ClearWorld() {
    gUfoList.Clear();
    gUfoWeaponList.Clear();
    gTankWeaponList.Clear();
    gParticleList.Clear();
  }

  // Advances the clock and measures the frame as the main loop does after its flip.
  void Tick(int millis) {
    platform->AdvanceMillis(millis);
    TDelta::Update();
  }

  // An image of `count` frames of w x h, each filled solid (alpha 255) or left clear by `solid`.
  static ImageRef Picture(int w, int h, int count, const std::vector<bool>& solid) {
    ImageRef image = CreateImage(w, h, count, 0);
    for (int f = 0; f < count; ++f) {
      auto pixels = TPixmap::Create(w, h, kFormatRGBA8888);
      if (f < static_cast<int>(solid.size()) && solid[f]) {
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) pixels->Row(y)[x * 4 + 3] = 255;
      }
      image->SetPixmap(f, pixels);
    }
    CentreHandle(image);
    return image;
  }

  static std::shared_ptr<TVOTileset> Tiles(ImageRef image) {
    auto tiles = std::make_shared<TVOTileset>();
    tiles->tilewidth = image->width;
    tiles->tileheight = image->height;
    tiles->tilecount = image->FrameCount();
    tiles->intCenterX = image->width / 2;
    tiles->intCenterY = image->height / 2;
    tiles->image = std::move(image);
    return tiles;
  }

  std::shared_ptr<HeadlessPlatform> platform;
  GraphicsRef graphics;
};
