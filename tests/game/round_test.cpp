// The game round: new game, level progression, resuming, and one frame's drawing order.
#include <gtest/gtest.h>

#include <set>

#include "game/explosion_particle.h"
#include "game/particle_base.h"
#include "game/round.h"
#include "game/scout_ufo.h"
#include "game/tank_missile.h"
#include "game/ufo_base.h"
#include "game/ufo_fireball.h"
#include "game/weapon_base.h"
#include "game_fixture.h"
#include "sprite/sprite_kind.h"

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

TEST_F(RoundTest, APlayFrameDrawsBackToFront) {
  // One object of every layer, in a running game: the picture is built far to near, the tank last of
  // the world, then the level and the line.
  gGameInProgress = 1;
  gLevel = 10;
  auto far_smoke = TExplosionParticle::Create(100, 100, kKindExplosion1, 0);
  far_smoke->blnRetreated = true;
  gParticleList.AddLast(far_smoke);
  gParticleList.AddLast(TExplosionParticle::Create(300, 100, kKindExplosion2, 0));
  gUfoList.AddLast(TScoutUfo::Create(200, 100, kKindScoutUfo, 0, 100000));  // starts far away
  auto near_ufo = TScoutUfo::Create(600, 100, kKindScoutUfo, 1, 100000);
  near_ufo->blnAllowRetreat = false;
  near_ufo->blnRetreatBack = false;
  near_ufo->Scale(1.0f);
  gUfoList.AddLast(near_ufo);
  gTankWeaponList.AddLast(TTankMissile::Create(400, 300, kKindTankMissile, 0));
  gUfoWeaponList.AddLast(TUfoFireball::Create(500, 200, kKindUfoFireball, 0));
  gPlayer->x = 700;
  Frame();

  enum Layer { kFarSmoke, kFarUfo, kNearSmoke, kMissile, kBomb, kNearUfo, kTank, kLevel, kLine, kLayers };
  const char* names[kLayers] = {"far explosion", "far UFO", "near explosion", "missile", "bomb",
                                "near UFO",      "tank",    "level",          "line"};
  std::vector<int> first(kLayers, -1), last(kLayers, -1);
  const auto& draws = platform->LastFrame();
  for (int i = 0; i < static_cast<int>(draws.size()); ++i) {
    const DrawRecord& r = draws[i];
    int layer = -1;
    if (r.image == gExplosion1Tiles->image.get()) layer = kFarSmoke;
    if (r.image == gExplosion2Tiles->image.get()) layer = kNearSmoke;
    if (r.image == gScoutUfoTiles->image.get()) layer = r.scale_x < 0.8f ? kFarUfo : kNearUfo;
    if (r.image == gTankMissileTiles->image.get()) layer = kMissile;
    if (r.image == gUfoFireballTiles->image.get()) layer = kBomb;
    if (r.image == gGreenTankTiles->image.get()) layer = kTank;
    if (r.image == gFontImage.get()) layer = kLevel;
    if (r.kind == DrawRecord::kLine) layer = kLine;
    if (layer < 0) continue;
    if (first[layer] < 0) first[layer] = i;
    last[layer] = i;
  }
  for (int layer = 0; layer < kLayers; ++layer) ASSERT_GE(first[layer], 0) << names[layer] << " not drawn";
  for (int layer = 1; layer < kLayers; ++layer)
    EXPECT_LT(last[layer - 1], first[layer]) << names[layer - 1] << " drawn over " << names[layer];
}

TEST_F(RoundTest, MissileAndExplosionSoundsAtTheirMoments) {
  // Each sound a constant of its own, so the output tells which are sounding.
  constexpr int16_t kMissile = 1000, kExplode = 3000;
  const auto constant = [](int16_t value) {
    auto sample = TAudioSample::Create(200, 44100, kMono16LE);
    auto* pcm = reinterpret_cast<int16_t*>(sample->samples.data());
    for (int i = 0; i < 200; ++i) pcm[i] = value;
    return LoadSound(sample, 0);
  };
  gTankMissileSound = constant(kMissile);
  gExplodeSound = constant(kExplode);
  ASSERT_TRUE(gTankMissileSound && gExplodeSound);
  // What the output plays during one frame: the sum of the sounds started by the frame before.
  const auto heard = [this] {
    int16_t loudest = 0;
    for (int16_t s : platform->Mix(750)) loudest = std::max(loudest, s);
    return loudest;
  };
  gGameInProgress = 1;
  gLevel = 10;
  auto ufo = TScoutUfo::Create(400, 150, kKindScoutUfo, 0, 100000);
  ufo->blnAllowRetreat = false;
  ufo->blnRetreatBack = false;
  ufo->Scale(1.0f);
  gUfoList.AddLast(ufo);
  gPlayer->blnEnableFire = true;
  Frame();
  EXPECT_EQ(heard(), 0);

  platform->PressKey(kKeySpace);
  Frame();
  platform->ReleaseKey(kKeySpace);
  ASSERT_EQ(gTankWeaponList.Count(), 1);
  EXPECT_EQ(heard(), kMissile) << "the missile sound starts with the missile";
  const auto missile = gTankWeaponList.First();
  int frames = 0;
  while (missile->blnDraw && frames < 200) {
    // The missile is put just under the UFO, so the next frame's pass finds the hit.
    missile->x = ufo->x;
    missile->y = ufo->y + 10;
    Frame();
    ++frames;
    if (missile->blnDraw) {
      EXPECT_EQ(heard(), 0) << "frame " << frames << ": nothing sounds in flight";
    }
  }
  ASSERT_FALSE(missile->blnDraw) << "the missile never hit";
  EXPECT_LT(ufo->life, 1.0f);
  EXPECT_EQ(heard(), kExplode) << "the explosion sound starts in the frame of the hit";
  Frame();
  EXPECT_EQ(heard(), 0);
}

}  // namespace
