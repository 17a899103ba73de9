// The tank: keys, boost, edges, facing and animation, firing rate, hits and invincibility flashing.
#include <gtest/gtest.h>

#include "game/weapon_base.h"
#include "game_fixture.h"

namespace {

class PlayerTest : public GameTest {
 protected:
  void Frame(int millis = 100) {
    Tick(millis);
    gPlayer->Move(800);
  }
};

TEST_F(PlayerTest, ArrowsShiftAndSpace) {
  platform->PressKey(kKeyRight);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 418.0f);
  EXPECT_EQ(gPlayer->CurDirection, 1);
  EXPECT_EQ(gPlayer->speedmodifier, 1.0f);

  platform->PressKey(kKeyLeftShift);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 445.0f) << "boost: 270 px/s";
  EXPECT_EQ(gPlayer->speedmodifier, 2.0f);

  platform->PressKey(kKeySpace);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 463.0f) << "Space cancels the boost";
  EXPECT_EQ(gTankWeaponList.Count(), 0) << "firing not enabled";
  platform->ReleaseKey(kKeySpace);
  platform->ReleaseKey(kKeyLeftShift);

  platform->PressKey(kKeyLeft);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 463.0f) << "both arrows stop the tank";
  EXPECT_FALSE(gPlayer->blnMoveX);
  EXPECT_EQ(gPlayer->CurDirection, 1) << "facing kept";
  EXPECT_EQ(gPlayer->CurFrame, 5) << "standing picture of the right-facing row";
  platform->ReleaseKey(kKeyRight);
  Frame(100);
  EXPECT_EQ(gPlayer->CurDirection, 0);
  EXPECT_FLOAT_EQ(gPlayer->x, 445.0f);
}

TEST_F(PlayerTest, APadDrivesBoostsAndFiresLikeTheKeys) {
  platform->PlugPad(2);
  gPlayer->blnEnableFire = true;
  platform->PressPadButton(2, kPadDpadRight);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 418.0f);
  platform->PressPadButton(2, kPadRightShoulder);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 445.0f) << "the right shoulder boosts like Shift";
  platform->PressPadButton(2, kPadA);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 463.0f) << "A cancels the boost as Space does";
  EXPECT_EQ(gTankWeaponList.Count(), 1);
  platform->ReleasePadButton(2, kPadDpadRight);
  Frame(401);
  EXPECT_EQ(gTankWeaponList.Count(), 1) << "held: one missile every half second";
  Frame(100);
  EXPECT_EQ(gTankWeaponList.Count(), 2);
  platform->ReleasePadButton(2, kPadA);
  platform->ReleasePadButton(2, kPadRightShoulder);

  // The stick drives only past its dead zone; the right trigger boosts.
  platform->MovePadAxis(2, kPadAxisLeftX, -kPadDeadZone / 2);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 463.0f);
  platform->MovePadAxis(2, kPadAxisLeftX, -25000);
  platform->MovePadAxis(2, kPadAxisRightTrigger, 30000);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 436.0f);
  EXPECT_EQ(gPlayer->CurDirection, 0);
  // Stick and d-pad in opposite directions stop the tank, as both arrows do.
  platform->PressPadButton(2, kPadDpadRight);
  Frame(100);
  EXPECT_FLOAT_EQ(gPlayer->x, 436.0f);
}

TEST_F(PlayerTest, StopsAtTheEdges) {
  platform->PressKey(kKeyLeft);
  for (int i = 0; i < 30; ++i) Frame(100);
  EXPECT_EQ(gPlayer->x, 0.0f) << "stops at the left edge, not a step beyond";
  platform->ReleaseKey(kKeyLeft);
  Frame(100);
  EXPECT_EQ(gPlayer->x, 0.0f);
  platform->PressKey(kKeyRight);
  for (int i = 0; i < 60; ++i) Frame(100);
  EXPECT_EQ(gPlayer->x, 800.0f);
  gPlayer->x = 795;
  Frame(100);
  EXPECT_EQ(gPlayer->x, 800.0f);
}

TEST_F(PlayerTest, AnimationRunsBackAndForthAndStopsAtOnce) {
  platform->PressKey(kKeyRight);
  std::vector<int> steps;
  for (int i = 0; i < 9; ++i) {
    Frame(501);
    steps.push_back(gPlayer->CurAnimFrame);
    EXPECT_EQ(gPlayer->CurFrame, 5 + gPlayer->CurAnimFrame);
  }
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 3, 2, 1, 2, 3}));
  Frame(100);
  EXPECT_EQ(gPlayer->CurAnimFrame, 3) << "a moving tank keeps its frame until the interval passes";
  platform->ReleaseKey(kKeyRight);
  Frame(1);
  EXPECT_EQ(gPlayer->CurAnimFrame, 0);
  EXPECT_EQ(gPlayer->CurFrame, 5);
}

TEST_F(PlayerTest, FiresMissilesAtMostEvery500Ms) {
  gPlayer->blnEnableFire = true;
  platform->PressKey(kKeySpace);
  Frame(16);
  ASSERT_EQ(gTankWeaponList.Count(), 1) << "the first shot comes at once";
  auto missile = gTankWeaponList.First();
  EXPECT_EQ(missile->intType, 201);
  EXPECT_EQ(missile->x, 400.0f);
  EXPECT_EQ(missile->y, 500.0f);
  EXPECT_EQ(missile->index, static_cast<int>(ClockMillis() / 100));
  for (int i = 0; i < 31; ++i) Frame(16);  // 496 ms
  EXPECT_EQ(gTankWeaponList.Count(), 1);
  Frame(5);  // 501 ms
  EXPECT_EQ(gTankWeaponList.Count(), 2);

  gPlayer->intWeaponType = 200;
  Frame(501);
  EXPECT_EQ(gTankWeaponList.Count(), 3);
  gPlayer->intWeaponType = 7;  // fires nothing but restarts the wait
  Frame(501);
  EXPECT_EQ(gTankWeaponList.Count(), 3);
  gPlayer->intWeaponType = 201;
  Frame(400);
  EXPECT_EQ(gTankWeaponList.Count(), 3);
}

TEST_F(PlayerTest, HitsInvincibilityAndFlashing) {
  EXPECT_TRUE(gPlayer->Hit(0.1f));
  EXPECT_FLOAT_EQ(gPlayer->life, 4.9f);
  Tick(999);
  EXPECT_FALSE(gPlayer->Hit(0.1f));
  EXPECT_FLOAT_EQ(gPlayer->life, 4.9f);
  Tick(2);
  EXPECT_TRUE(gPlayer->Hit(0.1f));
  // Every accepted hit, and only those, rumbles the pads briefly.
  ASSERT_EQ(platform->Rumbles().size(), 2u);
  EXPECT_GT(platform->Rumbles()[0], 0);
  EXPECT_LE(platform->Rumbles()[0], 500);

  std::vector<float> alphas;
  for (int i = 0; i < 8; ++i) {
    gPlayer->Draw(gGreenTankTiles);
    alphas.push_back(gPlayer->alpha);
  }
  const std::vector<float> expected = {1, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.6f, 0.7f};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(alphas[i], expected[i], 1e-5) << i;
  EXPECT_NEAR(platform->CurrentDraws().back().alpha, 0.7f, 1e-5);
  Tick(1000);
  gPlayer->Draw(gGreenTankTiles);
  EXPECT_EQ(gPlayer->alpha, 1.0f);
  EXPECT_EQ(GetAlpha(), 1.0f) << "alpha restored after drawing";
}

}  // namespace
