// The region grid and the collision pass, including the cases the grid must get right: objects sharing
// an index, pairs sharing several cells, objects that ended earlier in the pass, the tile that is drawn.
#include <gtest/gtest.h>

#include <random>

#include "game/green_ufo.h"
#include "game/regions.h"
#include "game/tank_missile.h"
#include "game/ufo_fireball.h"
#include "game_fixture.h"

namespace {

class RegionsTest : public GameTest {
 protected:
  // A UFO at full size that keeps still (frame time 0) and is not invincible.
  std::shared_ptr<TGreenUfo> Ufo(float x, float y, int index = 0) {
    auto ufo = TGreenUfo::Create(static_cast<int>(x), static_cast<int>(y), 301, index, 100000);
    ufo->Scale(1);
    ufo->x = x;
    ufo->y = y;
    gUfoList.AddLast(ufo);
    return ufo;
  }
  std::shared_ptr<IWeaponBase> Bomb(int x, int y, int index) {
    auto bomb = TUfoFireball::Create(x, y, 400, index);
    gUfoWeaponList.AddLast(bomb);
    return bomb;
  }
  std::shared_ptr<IWeaponBase> Missile(int x, int y, int index) {
    auto missile = TTankMissile::Create(x, y, 201, index);
    gTankWeaponList.AddLast(missile);
    return missile;
  }
  // Enters every object as the update passes would (without moving anything) and runs the pass.
  void Pass(const std::shared_ptr<TPlayer>& tank) {
    ClearRegions();
    AddToRegions(tank);
    gUfoList.ForEach([](const auto& u) { AddToRegions(u); });
    gTankWeaponList.ForEach([](const auto& w) { AddToRegions(w); });
    gUfoWeaponList.ForEach([](const auto& b) { AddToRegions(b); });
    CheckCollisions(tank);
  }
};

TEST_F(RegionsTest, CellsTouchedByTheCornersOfTheBox) {
  EXPECT_EQ(RegionCells(400, 100, 32, 32), 1u << 1);
  EXPECT_EQ(RegionCells(266, 200, 32, 32), (1u << 0) | (1u << 1) | (1u << 3) | (1u << 4));
  EXPECT_EQ(RegionCells(831, 100, 32, 32), 0u) << "every corner at x >= 799 lies in no cell";
  EXPECT_EQ(RegionCells(400, -100, 32, 32), 0u);

  auto ufo = Ufo(266, 200);
  ClearRegions();
  AddToRegions(std::shared_ptr<IUfoBase>(ufo));
  for (int r = 0; r < 9; ++r) {
    const bool expected = r == 0 || r == 1 || r == 3 || r == 4;
    ASSERT_EQ(gRegions.ufos[r].size(), expected ? 1u : 0u) << "cell " << r;
  }
  ClearRegions();
  for (int r = 0; r < 9; ++r) EXPECT_TRUE(gRegions.ufos[r].empty());
}

TEST_F(RegionsTest, ASecondBombWithTheSameIndexStillHitsTheTank) {
  gPlayer->x = 400;
  // Both bombs carry the same index; the first falls far from the tank.
  auto far = Bomb(100, 300, 42);
  auto onTank = Bomb(400, 490, 42);
  Pass(gPlayer);
  EXPECT_TRUE(far->blnDraw);
  EXPECT_FALSE(onTank->blnDraw) << "the bomb on the tank bursts";
  EXPECT_FLOAT_EQ(gPlayer->life, 4.9f);
  EXPECT_EQ(gParticleList.Count(), 1) << "one explosion";
}

TEST_F(RegionsTest, BombsOnAnInvincibleTankPassThenBurstOnTheGround) {
  gPlayer->MakeInvincible();
  auto bomb = Bomb(400, 505, 1);
  Pass(gPlayer);
  EXPECT_TRUE(bomb->blnDraw) << "over the invincible tank: no hurt, no burst";
  EXPECT_FLOAT_EQ(gPlayer->life, 5.0f);
  bomb->x = 600;  // clear of the tank, below the tank's line
  Pass(gPlayer);
  EXPECT_FALSE(bomb->blnDraw);
  auto high = Bomb(600, 450, 2);
  Pass(gPlayer);
  EXPECT_TRUE(high->blnDraw) << "above y 500 a bomb flies on";
}

TEST_F(RegionsTest, TheTankInPlayIsTheOneHit) {
  auto other = TPlayer::Create(200, 500, 100);
  gPlayer->x = 600;
  auto bomb = Bomb(200, 495, 1);
  Pass(other);
  EXPECT_FALSE(bomb->blnDraw);
  EXPECT_FLOAT_EQ(other->life, 4.9f);
  EXPECT_FLOAT_EQ(gPlayer->life, 5.0f);
  AddToRegions(other);
  EXPECT_EQ(other->intRegion, 6) << "the tank passed notes its own cell";
}

TEST_F(RegionsTest, UfoPairsBounceOnceEvenAcrossSeveralCellsAndNeverAlone) {
  // Two overlapping UFOs straddling the border of cells 0 and 1: they share both cells.
  auto a = Ufo(260, 100, 0);
  auto b = Ufo(280, 100, 1);
  a->direction = 90;
  b->direction = 270;
  auto alone = Ufo(600, 300, 2);
  alone->direction = 45;
  Pass(gPlayer);
  EXPECT_EQ(a->direction, 270) << "bounced once, not twice";
  EXPECT_EQ(b->direction, 90);
  EXPECT_EQ(alone->direction, 45) << "a UFO never bounces off itself";

  // Same index, different UFOs: still the two that touch.
  auto c = Ufo(500, 320, 7);
  auto d = Ufo(520, 320, 7);
  c->direction = 0;
  d->direction = 135;
  Pass(gPlayer);
  EXPECT_EQ(c->direction, 180);
  EXPECT_EQ(d->direction, 225);
}

TEST_F(RegionsTest, OneMissileDamagesOneUfoAndOnlyTakenHitsBurstIt) {
  auto a = Ufo(400, 100, 0);
  auto b = Ufo(404, 100, 1);
  auto missile = Missile(402, 100, 5);
  Pass(gPlayer);
  EXPECT_FALSE(missile->blnDraw);
  EXPECT_EQ((a->life < 2) + (b->life < 2), 1) << "one missile, one damaged UFO";
  EXPECT_EQ(gParticleList.Count(), 1);

  // The damaged UFO is invincible for 500 ms: a second missile flies on.
  auto hit = a->life < 2 ? a : b;
  auto miss = a->life < 2 ? b : a;
  miss->Scale(0.5f);  // retreated: cannot be hit
  auto second = Missile(402, 100, 5);
  Pass(gPlayer);
  EXPECT_TRUE(second->blnDraw);
  EXPECT_FLOAT_EQ(hit->life, 1.5f);
  EXPECT_FLOAT_EQ(miss->life, 2.0f);
}

TEST_F(RegionsTest, ShotsThatEndedTakeNoFurtherPart) {
  // A bomb in two cells with two tank shots on it: it bursts once, with one of them.
  auto bomb = Bomb(266, 100, 3);
  auto m1 = Missile(266, 100, 9);
  auto m2 = Missile(266, 104, 9);
  Pass(gPlayer);
  EXPECT_FALSE(bomb->blnDraw);
  EXPECT_EQ(m1->blnDraw + m2->blnDraw, 1);
  EXPECT_EQ(gParticleList.Count(), 2) << "one burst for the bomb, one for the missile";
  // A shot already ended (it left the field) hits nothing.
  auto ufo = Ufo(100, 300, 0);
  auto gone = Missile(100, 300, 1);
  gone->blnDraw = false;
  Pass(gPlayer);
  EXPECT_FLOAT_EQ(ufo->life, 2.0f);
  // Hit on an ended shot makes no second explosion.
  const int before = gParticleList.Count();
  bomb->Hit();
  EXPECT_EQ(gParticleList.Count(), before);
}

TEST_F(RegionsTest, ThePixelTestUsesTheTileThatIsDrawn) {
  // A tank whose standing tile (0) is empty and whose tile 5 (facing right) is solid.
  std::vector<bool> solid(10, false);
  solid[5] = true;
  TileSwap swap(gGreenTankTiles, Tiles(Picture(64, 64, 10, solid)));
  gPlayer->CurDirection = 1;
  gPlayer->CurAnimFrame = 0;
  gPlayer->CurFrame = 5;
  auto bomb = Bomb(400, 495, 1);
  Pass(gPlayer);
  EXPECT_FALSE(bomb->blnDraw);
  EXPECT_FLOAT_EQ(gPlayer->life, 4.9f);
  gPlayer->CurFrame = 0;  // the empty tile: nothing to hit
  gPlayer->invincibilitydelay = -10000;
  auto again = Bomb(400, 480, 2);
  Pass(gPlayer);
  EXPECT_TRUE(again->blnDraw);
}

}  // namespace

namespace {

TEST_F(RegionsTest, ShortcutPixelTestAgreesWithFramesOverlap) {
  std::mt19937 rng(7);
  const TVOTileset* sets[] = {gScoutUfoTiles.get(),    gGreenTankTiles.get(), gTankMissileTiles.get(),
                              gUfoFireballTiles.get(), gBoss1UfoTiles.get(),  gTankFireballTiles.get()};
  int touching = 0;
  for (int i = 0; i < 4000; ++i) {
    const TVOTileset& a = *sets[rng() % 6];
    const TVOTileset& b = *sets[rng() % 6];
    const int af = static_cast<int>(rng() % a.tilecount), bf = static_cast<int>(rng() % b.tilecount);
    const int ax = 300, ay = 300;
    const int bx = ax + static_cast<int>(rng() % 121) - 60, by = ay + static_cast<int>(rng() % 121) - 60;
    const bool expected = FramesOverlap(a.image, ax, ay, af, b.image, bx, by, bf) == 1;
    ASSERT_EQ(TilesOverlap(a, ax, ay, af, b, bx, by, bf), expected) << i;
    touching += expected;
  }
  EXPECT_GT(touching, 500);
}

}  // namespace
