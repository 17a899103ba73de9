// The game round: new game, level progression, resuming, and one frame's drawing order.
#include <gtest/gtest.h>

#include <set>

#include "game/explosion_particle.h"
#include "game/particle_base.h"
#include "game/round.h"
#include "game/tank_missile.h"
#include "game/ufo_base.h"
#include "game/ufo_fireball.h"
#include "game/weapon_base.h"
#include "game_fixture.h"

namespace {

class RoundTest : public GameTest {
 protected:
  void Frame(int millis = 17) {
    Tick(millis);
    PlayGame();
    Flip(0);
  }
  std::vector<IUfoBase*> Ufos() {
    std::vector<IUfoBase*> out;
    gUfoList.ForEach([&out](const auto& u) { out.push_back(u.get()); });
    return out;
  }
};

TEST_F(RoundTest, FirstFrameOfANewGame) {
  gPlayer->x = 123;
  Frame();
  EXPECT_EQ(gLevel, 10);
  EXPECT_EQ(gGameInProgress, 1);
  ASSERT_EQ(gUfoList.Count(), 20);
  int expected = 0;
  gUfoList.ForEach([&expected](const auto& u) {
    EXPECT_EQ(u->index, expected++);
    EXPECT_EQ(u->intType, 300);
    EXPECT_TRUE(u->Retreated()) << "scouts start far away";
    EXPECT_GE(u->y, 0);
    EXPECT_LE(u->y, 425);
  });
  EXPECT_EQ(gPlayer->x, 123.0f) << "the tank stays where it was";
  EXPECT_FALSE(gPlayer->Hit(1)) << "a new game starts with a second of invincibility";

  // The picture: far UFOs first, the tank, then the level text, the white line at y 425 last.
  const auto& draws = platform->LastFrame();
  ASSERT_FALSE(draws.empty());
  const DrawRecord& line = draws[draws.size() - 2];
  EXPECT_EQ(line.kind, DrawRecord::kLine);
  EXPECT_EQ(line.y, 425.0f);
  EXPECT_EQ(line.y2, 425.0f);
  EXPECT_EQ(line.x, 0.0f);
  EXPECT_EQ(line.x2, 800.0f);
  EXPECT_EQ(line.red + line.green + line.blue, 3 * 255);
  EXPECT_EQ(line.alpha, 1.0f);
  size_t tank = draws.size(), firstUfo = draws.size();
  for (size_t i = 0; i < draws.size(); ++i) {
    if (draws[i].image == gGreenTankTiles->image.get()) tank = i;
    if (draws[i].image == gScoutUfoTiles->image.get() && firstUfo == draws.size()) firstUfo = i;
  }
  ASSERT_LT(tank, draws.size());
  EXPECT_LT(firstUfo, tank);
  EXPECT_EQ(draws[firstUfo].scale_x, 0.3f);
  EXPECT_GT(draws.size() - tank, 3u) << "level text drawn after the tank";
}

TEST_F(RoundTest, NextLevelTwoFramesAfterTheLastKill) {
  Frame();
  ASSERT_EQ(gLevel, 10);
  for (int i = 0; i < 5; ++i) Frame();
  // Frame n: every UFO dies in the pass (as a missile would do it), with shots and bursts in flight.
  gUfoList.ForEach([](const auto& u) { u->blnDraw = false; });
  gTankWeaponList.AddLast(TTankMissile::Create(400, 300, 201, 1));
  gUfoWeaponList.AddLast(TUfoFireball::Create(400, 100, 400, 1));
  gParticleList.AddLast(TExplosionParticle::Create(400, 100, 503, 1));
  Frame();
  EXPECT_TRUE(gUfoList.IsEmpty()) << "frame n + 1 removes the dead";
  EXPECT_EQ(gLevel, 10);
  Frame();
  EXPECT_EQ(gLevel, 11);
  EXPECT_EQ(gUfoList.Count(), 22);
  EXPECT_EQ(gTankWeaponList.Count(), 0);
  EXPECT_EQ(gUfoWeaponList.Count(), 0);
  EXPECT_EQ(gParticleList.Count(), 0);
}

TEST_F(RoundTest, ResumeContinuesTheSameWorldAndNewGameRestarts) {
  for (int i = 0; i < 30; ++i) Frame();
  const auto before = Ufos();
  const int level = gLevel;
  auto missile = TTankMissile::Create(400, 300, 201, 1);
  gTankWeaponList.AddLast(missile);
  // Away in the menu for five seconds: frames go on, but nothing of the round is updated.
  for (int i = 0; i < 300; ++i) Tick(17);
  Frame();
  EXPECT_EQ(Ufos(), before);
  EXPECT_EQ(gLevel, level);
  EXPECT_TRUE(missile->blnDraw);
  EXPECT_LT(missile->y, 300.0f);

  gLevel = 37;
  gGameInProgress = 0;
  Frame();
  EXPECT_EQ(gLevel, 10);
  EXPECT_EQ(gUfoList.Count(), 20);
  std::set<IUfoBase*> old(before.begin(), before.end());
  for (IUfoBase* u : Ufos()) EXPECT_EQ(old.count(u), 0u);
}

}  // namespace
