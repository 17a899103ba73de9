// The UFO flight model and the three kinds: retreat steps, hits and smoke, flashing, bounce, tilt,
// animation tiles, the scout's path and the green and boss UFOs' straight flight.
#include <gtest/gtest.h>

#include "game/boss1_ufo.h"
#include "game/green_ufo.h"
#include "game/scout_ufo.h"
#include "game/smoke_particle.h"
#include "game/tile_lookup.h"
#include "game/weapon_base.h"
#include "game_fixture.h"

namespace {

class UfoTest : public GameTest {
 protected:
  double Now() const { return static_cast<double>(ClockMillis()); }
  // Sounds that any mixing can hear.
  void LoadSound(SoundRef& slot, const char* name) {
    slot = ::LoadSound(std::string("incbin::../Sounds/") + name, 0);
    ASSERT_TRUE(slot);
  }
  // Mixes ten seconds, so every sound started before has played out afterwards.
  bool Audible() {
    const auto samples = platform->Mix(441000);
    for (int16_t s : samples)
      if (s != 0) return true;
    return false;
  }
};

TEST_F(UfoTest, RetreatScaleStepsInFloat) {
  auto ufo = TGreenUfo::Create(100, 100, 301, 0, 100000);
  ufo->RetreatLife = Now();
  ufo->RetreatInterval = 1000000;  // no turn during the count
  ufo->blnRetreatBack = true;
  ufo->RetreatSpeed = 0.02f;
  int calls = 0, reached08 = 0;
  while (ufo->blnRetreatBack && calls < 100) {
    ufo->Retreat();
    ++calls;
    if (!reached08 && ufo->xscale >= 0.8f) reached08 = calls;
  }
  EXPECT_EQ(reached08, 26);
  EXPECT_EQ(calls, 36);
  EXPECT_EQ(ufo->xscale, 1.0f);

  ufo->blnRetreatBack = true;
  ufo->RetreatSpeed = -0.02f;
  int below08 = 0;
  calls = 0;
  while (ufo->blnRetreatBack && calls < 100) {
    ufo->Retreat();
    ++calls;
    if (!below08 && ufo->Retreated()) below08 = calls;
  }
  EXPECT_EQ(below08, 11);
  EXPECT_EQ(calls, 36);
  EXPECT_EQ(ufo->xscale, 0.3f);

  ufo->Scale(0.8f);
  EXPECT_FALSE(ufo->Retreated());
  ufo->Scale(0.79999995f);
  EXPECT_TRUE(ufo->Retreated());
}

TEST_F(UfoTest, RetreatCyclesAndTheirSounds) {
  // Green: the first move turns to going away (already away) with the retreat sound; 16 s later it comes
  // forward with the attack sound, 36 frames, then waits 3 s at full size.
  LoadSound(gUfoRetreatSound, "uforetreat.wav");
  LoadSound(gUfoAttackSound, "ufoattack.wav");
  auto green = TGreenUfo::Create(100, 100, 301, 0, 20000);
  green->weapondelayinterval = 1 << 30;  // no shots in this test
  green->weapondelay = 0;
  green->Move(800, 600);
  EXPECT_EQ(green->xscale, 0.3f);
  EXPECT_EQ(green->RetreatInterval, 16000);
  EXPECT_TRUE(Audible()) << "retreat sound";
  Tick(16000);
  green->Move(800, 600);
  EXPECT_FALSE(Audible());
  Tick(1);
  green->Move(800, 600);
  EXPECT_TRUE(Audible()) << "attack sound";
  EXPECT_EQ(green->RetreatInterval, 3000);
  for (int i = 0; i < 35; ++i) green->Move(800, 600);
  EXPECT_EQ(green->xscale, 1.0f);
  EXPECT_FALSE(green->blnRetreatBack);

  // Scout: silent, its own interval both ways.
  auto scout = TScoutUfo::Create(100, 100, 300, 0, 2000);
  scout->weapondelayinterval = 1 << 30;
  scout->weapondelay = 0;
  scout->Move(800, 600);
  EXPECT_EQ(scout->RetreatInterval, 2000);
  Tick(2001);
  for (int i = 0; i < 36; ++i) scout->Move(800, 600);
  EXPECT_EQ(scout->xscale, 1.0f);
  EXPECT_EQ(scout->RetreatInterval, 2000);
  EXPECT_FALSE(Audible());

  // Retreat disabled: the cycle does not run.
  auto fixed = TGreenUfo::Create(100, 100, 301, 0, 20000);
  fixed->blnAllowRetreat = false;
  fixed->Scale(1);
  fixed->Retreat();
  EXPECT_FALSE(fixed->blnRetreatBack);
  EXPECT_EQ(fixed->xscale, 1.0f);
}

TEST_F(UfoTest, HitsInvincibilityAndSmoke) {
  auto scout = TScoutUfo::Create(100, 100, 300, 0, 1000);
  scout->Scale(1);
  int counted = 0, smokingAfter = 0;
  while (scout->blnDraw && counted < 50) {
    // Exactly at the end of the invincibility the hit is still ignored; a millisecond later it counts.
    if (counted > 0) {
      Tick(500);
      const float life = scout->life;
      const double stamp = scout->invincibilitydelay;
      EXPECT_FALSE(scout->Hit(0.1f));
      EXPECT_EQ(scout->life, life);
      EXPECT_EQ(scout->invincibilitydelay, stamp);
      Tick(1);
    }
    ASSERT_TRUE(scout->Hit(0.1f));
    ++counted;
    if (!smokingAfter && scout->life <= scout->smokestart) smokingAfter = counted;
  }
  EXPECT_EQ(counted, 10) << "the 10th 0.1 hit kills a scout";
  EXPECT_EQ(smokingAfter, 5);
  EXPECT_FALSE(scout->blnDraw);
}

TEST_F(UfoTest, FlashingAndSmokePuffs) {
  auto ufo = TGreenUfo::Create(200, 150, 301, 0, 100000);
  ufo->Scale(1);
  ASSERT_TRUE(ufo->Hit(0.1f));
  std::vector<float> alphas;
  for (int i = 0; i < 10; ++i) {
    ufo->Draw(nullptr);
    alphas.push_back(ufo->alpha);
  }
  // In float steps 0.4 - 0.1 lands just under 0.3, so the turn comes on the step that reaches it.
  const std::vector<float> expected = {1, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.4f, 0.5f};
  ASSERT_EQ(alphas.size(), expected.size());
  for (size_t i = 0; i < alphas.size(); ++i) EXPECT_NEAR(alphas[i], expected[i], 1e-5) << i;
  Tick(500);
  ufo->Draw(nullptr);
  EXPECT_EQ(ufo->alpha, 1.0f) << "full alpha at the equal instant";
  EXPECT_EQ(gParticleList.Count(), 0) << "no smoke while life is above a third";

  // Badly damaged: a puff every more than 100 ms, scaled like the UFO and in its layer.
  ufo->life = 0.5f;
  ufo->Scale(0.5f);
  ufo->Draw(nullptr);
  ASSERT_EQ(gParticleList.Count(), 1);
  auto puff = gParticleList.First();
  EXPECT_EQ(puff->intType, 502);
  EXPECT_EQ(puff->xscale, 0.5f);
  EXPECT_TRUE(puff->Retreated());
  Tick(100);
  ufo->Draw(nullptr);
  EXPECT_EQ(gParticleList.Count(), 1);
  Tick(1);
  ufo->Scale(1);
  ufo->Draw(nullptr);
  EXPECT_EQ(gParticleList.Count(), 2);
  EXPECT_TRUE(puff->Retreated()) << "a puff keeps its layer";
}

TEST_F(UfoTest, BounceTiltAndHeadings) {
  auto ufo = TGreenUfo::Create(200, 150, 301, 0, 100000);
  const int from[] = {0, 180, 90, 270, 45, 315, 135, 225, 17};
  const int to[] = {180, 0, 270, 90, 315, 45, 225, 135, 17};
  for (int i = 0; i < 9; ++i) {
    ufo->direction = from[i];
    ufo->HitUfo();
    EXPECT_EQ(ufo->direction, to[i]);
  }
  ufo->direction = 135;
  ufo->HitUfo();
  ufo->HitUfo();
  EXPECT_EQ(ufo->direction, 135);

  ufo->direction = 90;
  for (int i = 0; i < 45; ++i) ufo->GetRotationDegree();
  EXPECT_EQ(ufo->rotation, 45);
  EXPECT_TRUE(ufo->rotationhit);
  for (int i = 0; i < 45; ++i) ufo->GetRotationDegree();
  EXPECT_EQ(ufo->rotation, 0);
  ufo->direction = 270;
  ufo->rotationhit = false;
  for (int i = 0; i < 50; ++i) ufo->GetRotationDegree();
  EXPECT_EQ(ufo->rotation, -40);
  ufo->direction = 180;
  ufo->GetRotationDegree();
  EXPECT_EQ(ufo->rotation, 0);

  for (int i = 0; i < 500; ++i) {
    ufo->ChangeDirection();
    ASSERT_GE(ufo->CurDirection, 0);
    ASSERT_LE(ufo->CurDirection, 7);
  }
  // Rows: level 0, leftwards 1 from tile 8, rightwards 2 from tile 4.
  EXPECT_EQ(ufo->GetAnimFrame(4), 0);
  EXPECT_EQ(ufo->StartAnimFrame, 0);
  EXPECT_EQ(ufo->GetAnimFrame(6), 1);
  EXPECT_EQ(ufo->CurAnimFrame, 8);
  EXPECT_EQ(ufo->GetAnimFrame(2), 2);
  EXPECT_EQ(ufo->StartAnimFrame, 4);
  EXPECT_EQ(ufo->GetAnimFrame(9), 0);
  EXPECT_EQ(ufo->StartAnimFrame, 4) << "unknown heading leaves the start";

  // ChangeXSpeed: slow to minspeed, turn, speed back up to basespeed, then stop changing.
  ufo->xspeed = 180;
  ufo->direction = 90;
  ufo->directionnext = 270;
  ufo->directionchanged = false;
  int calls = 0;
  while (!ufo->directionchanged && calls < 100) {
    ufo->ChangeXSpeed();
    ++calls;
  }
  EXPECT_EQ(ufo->direction, 270);
  EXPECT_EQ(ufo->xspeed, 180.0f);
  EXPECT_EQ(calls, 8 + 8);
}

TEST_F(UfoTest, ScoutPathDrawsAndTurns) {
  // The same generator drawn by hand: the scout's first shot delay at creation, then its heading and the
  // seven control points (x then y) on its first move.
  auto twin = TRandomNumber::Create(1);
  auto scout = TScoutUfo::Create(123, 234, 300, 0, 1000);
  EXPECT_EQ(scout->weapondelay, Now() + twin->Rnd(4000, 8000));
  Tick(16);
  scout->Move(800, 600);
  EXPECT_EQ(scout->CurDirection, twin->Rnd(0, 360) % 8);
  EXPECT_EQ(scout->SplineCoords[0]->x, 123.0f);
  EXPECT_EQ(scout->SplineCoords[0]->y, 234.0f);
  for (int i = 1; i < 8; ++i) {
    const int px = twin->Rnd(0, 800);
    const int py = twin->Rnd(0, 275);
    EXPECT_EQ(scout->SplineCoords[i]->x, px);
    EXPECT_EQ(scout->SplineCoords[i]->y, py);
  }
  EXPECT_EQ(scout->x, scout->SplineCoords[1]->x) << "first drawn at control point 1";
  EXPECT_EQ(scout->y, scout->SplineCoords[1]->y);
  // The first move's tile: 11 leftwards, 9 rightwards, 1 level.
  const int expectedTile[8] = {1, 9, 9, 9, 1, 11, 11, 11};
  EXPECT_EQ(scout->CurFrame, expectedTile[scout->CurDirection]);

  // The path parameter turns at the 101st step, at about 3.02.
  int steps = 1;
  while (scout->SplineInc > 0 && steps < 500) {
    scout->Move(800, 600);
    ++steps;
  }
  EXPECT_EQ(steps, 101);
  EXPECT_NEAR(scout->SplinePos, 3.02f, 1e-4);
  for (int i = 0; i < 400; ++i) {
    scout->Move(800, 600);
    ASSERT_GE(scout->x, 0);
    ASSERT_LE(scout->x, 800);
    ASSERT_GE(scout->y, 0);
    ASSERT_LE(scout->y, 425);
  }
}

TEST_F(UfoTest, AnimationFramesAdvanceWithTheClockNotTheFrames) {
  // A scout's tile steps on once more than 100 ms have passed since its last step, however long the
  // frames are, and the tile drawn is the one it stepped to.
  for (int frame_ms : {17, 5, 40}) {
    SCOPED_TRACE("frames of " + std::to_string(frame_ms) + " ms");
    auto scout = TScoutUfo::Create(400, 200, 300, 0, 100000);
    scout->Scale(1.0f);
    Tick(frame_ms);
    scout->Move(800, 600);
    int tile = scout->CurFrame;
    double changed_at = Now();
    int steps = 0;
    // 900 ms: fewer than the 101 path steps after which the scout turns and restarts its animation.
    for (int t = 0; t < 900 && steps < 100; t += frame_ms) {
      Tick(frame_ms);
      scout->Move(800, 600);
      if (scout->CurFrame != tile) {
        EXPECT_GT(Now() - changed_at, 100.0) << "a step after " << Now() - changed_at << " ms";
        EXPECT_LE(Now() - changed_at, 100.0 + frame_ms);
        tile = scout->CurFrame;
        changed_at = Now();
        ++steps;
      }
      scout->Draw(GetUfoTiles(scout->intImageIndex));
      ASSERT_EQ(platform->CurrentDraws().back().frame, scout->CurFrame);
    }
    EXPECT_GE(steps, 3) << "the animation plays on";
  }
}

TEST_F(UfoTest, BossSidewaysTiles) {
  for (int seed = 1; seed < 40; ++seed) {
    gRandomNumber = TRandomNumber::Create(seed);
    auto boss = TBoss1Ufo::Create(400, 200, 310, 0);
    Tick(16);
    boss->Move(800, 600);
    const int heading = boss->CurDirection;
    const int tile = heading == 0 || heading == 4 ? 1 : (heading >= 5 ? 6 : 7);
    EXPECT_EQ(boss->CurFrame, tile) << "heading " << heading;
    EXPECT_FALSE(boss->rotationhit || boss->rotation > 1 || boss->rotation < -1);
  }
}

TEST_F(UfoTest, GreenStopsAtTheEdgesOnOneAxis) {
  auto green = TGreenUfo::Create(799, 200, 301, 0, 100000);
  green->blnAllowRetreat = false;
  green->directionlife = ClockMillis() + 100000;  // keep the heading
  green->direction = 45;
  Tick(16);
  green->Move(800, 600);
  EXPECT_EQ(green->x, 799.0f) << "would pass 800: stops moving right";
  EXPECT_LT(green->y, 200.0f) << "but keeps climbing";

  green->x = 400;
  green->y = 425;
  green->direction = 180;
  green->Move(800, 600);
  EXPECT_EQ(green->y, 425.0f);
  green->direction = 135;
  green->Move(800, 600);
  EXPECT_EQ(green->y, 425.0f);
  EXPECT_GT(green->x, 400.0f) << "slides right along the lower limit";
  for (int i = 0; i < 200; ++i) {
    green->direction = 45 * (i % 8);
    green->Move(800, 600);
    ASSERT_GE(green->x, 0);
    ASSERT_LE(green->x, 800);
    ASSERT_GE(green->y, 0);
    ASSERT_LE(green->y, 425);
  }
}

TEST_F(UfoTest, OnlyTheScoutMakesASoundWhenFiring) {
  LoadSound(gUfoFireballSound, "ufofireball.wav");
  auto green = TGreenUfo::Create(400, 200, 301, 0, 100000);
  green->blnAllowRetreat = false;
  green->Scale(1);
  green->weapondelay = Now() - 2000;
  green->Shoot();
  EXPECT_EQ(gUfoWeaponList.Count(), 1);
  EXPECT_FALSE(Audible());

  auto retreated = TScoutUfo::Create(400, 200, 300, 0, 1000);
  retreated->weapondelay = Now() - 5000;
  retreated->Shoot();
  EXPECT_EQ(gUfoWeaponList.Count(), 1) << "a retreated UFO does not shoot";

  // A delay 5000 ms ahead with an interval of 4000 fires at once.
  auto scout = TScoutUfo::Create(400, 200, 300, 0, 1000);
  scout->Scale(1);
  scout->weapondelay = Now() + 5000;
  scout->Shoot();
  EXPECT_EQ(gUfoWeaponList.Count(), 2);
  EXPECT_TRUE(Audible());
  scout->Shoot();
  EXPECT_EQ(gUfoWeaponList.Count(), 2) << "then waits more than 4000 ms";
  auto bomb = gUfoWeaponList.First();
  EXPECT_EQ(bomb->intType, 400);
  EXPECT_EQ(bomb->index, static_cast<int>(ClockMillis() / 100));
}

}  // namespace
