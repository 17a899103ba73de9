// Shots in flight (steps, edges, smoke trails, bursts) and particles (animation steps and ending).
#include <gtest/gtest.h>

#include "game/explosion_particle.h"
#include "game/smoke_particle.h"
#include "game/tank_fireball.h"
#include "game/tank_missile.h"
#include "game/tile_lookup.h"
#include "game/ufo_fireball.h"
#include "game_fixture.h"

namespace {

class ShotsTest : public GameTest {};

TEST_F(ShotsTest, StepsAndEdges) {
  Tick(100);
  auto fireball = TTankFireball::Create(400, 20, 200, 1);
  fireball->Move(800, 600);
  EXPECT_FALSE(fireball->blnDraw);
  EXPECT_FLOAT_EQ(fireball->y, -15.0f) << "still takes its step";
  EXPECT_EQ(gParticleList.Count(), 0) << "leaves without an explosion";

  auto bomb = TUfoFireball::Create(400, 100, 400, 1);
  bomb->Move(800, 600);
  EXPECT_TRUE(bomb->blnDraw);
  EXPECT_FLOAT_EQ(bomb->y, 135.0f) << "falls at 350 px/s";
  // Mirrored compass: angle 0 is down, 180 up; x steps as the tank's.
  EXPECT_GT(bomb->GetYSpeed(45), 0.0f);
  EXPECT_LT(bomb->GetYSpeed(180), 0.0f);
  EXPECT_GT(bomb->GetXSpeed(45), 0.0f);
  EXPECT_LT(fireball->GetYSpeed(0), 0.0f);
  EXPECT_EQ(bomb->GetYSpeed(30), 0.0f);
  bomb->y = 580;
  bomb->Move(800, 600);
  EXPECT_FALSE(bomb->blnDraw) << "leaves past the bottom";
  auto side = TTankMissile::Create(799, 300, 201, 1);
  side->rotation = 90;
  side->Move(800, 600);
  EXPECT_FALSE(side->blnDraw);
}

TEST_F(ShotsTest, AnimationSmokeAndBurst) {
  auto missile = TTankMissile::Create(400, 400, 201, 1);
  std::vector<int> tiles;
  for (int i = 0; i < 6; ++i) {
    Tick(101);
    missile->Move(800, 600);
    tiles.push_back(missile->CurFrame);
  }
  EXPECT_EQ(tiles, (std::vector<int>{1, 2, 3, 0, 1, 2})) << "100 ms per tile, like the fireball";

  // Missile smoke: a 0.4 puff every more than 40 ms.
  missile->Draw(GetTankWeaponTiles(201));
  ASSERT_EQ(gParticleList.Count(), 1);
  EXPECT_EQ(gParticleList.First()->xscale, 0.4f);
  EXPECT_EQ(gParticleList.First()->intType, 501);
  Tick(40);
  missile->Draw(GetTankWeaponTiles(201));
  EXPECT_EQ(gParticleList.Count(), 1);
  Tick(1);
  missile->Draw(GetTankWeaponTiles(201));
  EXPECT_EQ(gParticleList.Count(), 2);

  // Fireball smoke: every frame in which the clock moved, once per millisecond.
  auto fireball = TTankFireball::Create(400, 400, 200, 1);
  fireball->Draw(nullptr);
  fireball->Draw(nullptr);
  EXPECT_EQ(gParticleList.Count(), 3) << "smoke even without a picture, one per millisecond";
  Tick(1);
  fireball->Draw(nullptr);
  EXPECT_EQ(gParticleList.Count(), 4);

  // Bursting: explosion of the shot's kind at its place, once.
  const auto saved = gExplodeSound;
  missile->Hit();
  EXPECT_FALSE(missile->blnDraw);
  ASSERT_EQ(gParticleList.Count(), 5);
  std::shared_ptr<IParticleBase> last;
  gParticleList.ForEach([&last](const auto& p) { last = p; });
  EXPECT_EQ(last->intType, 505);
  EXPECT_EQ(last->x, 400.0f);
  missile->Hit();
  EXPECT_EQ(gParticleList.Count(), 5);
  EXPECT_EQ(TUfoFireball::Create(0, 0, 400, 0)->explosiontype, 504);
  EXPECT_EQ(TTankFireball::Create(0, 0, 200, 0)->explosiontype, 503);
  gExplodeSound = saved;
}

TEST_F(ShotsTest, ExplosionStepsEveryThirdFrameAndEnds) {
  auto burst = TExplosionParticle::Create(100, 100, 503, 0);
  int firstStep = -1, lastFrame = -1;
  for (int frame = 0; frame < 100 && burst->blnDraw; ++frame) {
    const int before = burst->CurAnimFrame;
    burst->Move(800, 600);
    if (burst->CurAnimFrame != before && firstStep < 0) firstStep = frame;
    if (firstStep >= 0 && burst->CurAnimFrame != before && frame != firstStep) {
      EXPECT_EQ((frame - firstStep) % 3, 0) << "steps every third 20 ms frame";
    }
    lastFrame = frame;
    Tick(20);
  }
  EXPECT_EQ(firstStep, 0) << "the first Move always steps";
  EXPECT_EQ(lastFrame - firstStep, 45);
  EXPECT_FALSE(burst->blnDraw);

  // Start frame 5: tile 0 when made, then 6..15, ending after 11 steps.
  auto puff = TSmokeParticle::Create(10, 10, 500, 0, 1.0f, 0, 5);
  EXPECT_EQ(puff->CurFrame, 0);
  int steps = 0;
  while (puff->blnDraw && steps < 50) {
    Tick(1);
    puff->Move(800, 600);
    ++steps;
    if (steps == 1) {
      EXPECT_EQ(puff->CurFrame, 6);
    }
  }
  EXPECT_EQ(steps, 11);

  // Drawing: scale and alpha of the particle, then the state restored; nothing once ended.
  auto drawn = TSmokeParticle::Create(50, 60, 501, 0, 0.8f, 0, 0);
  drawn->blnChangeAlpha = true;
  drawn->Draw(GetParticleTiles(501));
  ASSERT_FALSE(platform->CurrentDraws().empty());
  const DrawRecord& r = platform->CurrentDraws().back();
  EXPECT_EQ(r.scale_x, 0.8f);
  EXPECT_NEAR(r.alpha, 0.9f, 1e-6);
  EXPECT_EQ(r.x, 50.0f);
  float sx = 0, sy = 0;
  GetScale(&sx, &sy);
  EXPECT_EQ(sx, 1.0f);
  const size_t count = platform->CurrentDraws().size();
  puff->Draw(GetParticleTiles(500));
  EXPECT_EQ(platform->CurrentDraws().size(), count);
}

}  // namespace
