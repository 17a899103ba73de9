// A long run of play with random keys and frame lengths through many levels (from 20 to 400 scouts):
// nothing crashes, nothing leaks (the sanitizer build checks), no position turns NaN, every list stays
// bounded.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "game/particle_base.h"
#include "game/round.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"
#include "game_fixture.h"

namespace {

class SoakTest : public GameTest {};

template <class T>
bool AllFinite(TList<T>& list) {
  bool ok = true;
  list.ForEach([&ok](const auto& item) { ok = ok && std::isfinite(item->x) && std::isfinite(item->y); });
  return ok;
}

TEST_F(SoakTest, HundredThousandFramesOfPlay) {
  std::mt19937 rng(20240611);
  const int keys[] = {kKeyLeft, kKeyRight, kKeySpace, kKeyLeftShift, kKeyRightShift};
  bool down[5] = {};
  // Levels forced along, each for a stretch of frames: most time at everyday sizes, short stretches at
  // the crowded ones (whose pixel tests dominate the cost).
  struct Stage {
    int level, frames;
  };
  const Stage stages[] = {{10, 3000}, {20, 3000}, {12, 2500}, {35, 1500}, {15, 3000}, {60, 600},
                          {25, 2000}, {150, 120}, {11, 2500}, {100, 250}, {18, 2000}, {200, 80}};
  int stage = -1, stageEnd = 0;
  gPlayer->blnEnableFire = true;
  int maxUfos = 0, explosions = 0, levelsPlayed = 0, lastLevel = -1;
  constexpr int kFrames = 100000;
  for (int frame = 0; frame < kFrames; ++frame) {
    if (frame % 12 == 0) {
      const int k = static_cast<int>(rng() % 5);
      down[k] = !down[k];
      if (down[k]) {
        platform->PressKey(keys[k]);
      } else {
        platform->ReleaseKey(keys[k]);
      }
    }
    if (frame == stageEnd) {
      stage = (stage + 1) % 12;
      stageEnd = frame + stages[stage].frames;
      gLevel = stages[stage].level - 1;
      gUfoList.ForEach([](const auto& u) { u->blnDraw = false; });
    } else if (frame % 97 == 0) {
      // Some UFOs fall as if shot down, so levels also end the ordinary way.
      gUfoList.ForEach([&rng](const auto& u) {
        if (rng() % 4 == 0) u->Hit(1.0f);
      });
    }
    const int millis = frame % 1000 == 999 ? 250 : 10 + static_cast<int>(rng() % 25);
    Tick(millis);
    PlayGame();
    Flip(0);

    if (gLevel != lastLevel) {
      ++levelsPlayed;
      lastLevel = gLevel;
    }
    maxUfos = std::max(maxUfos, gUfoList.Count());
    ASSERT_LE(gUfoList.Count(), 2 * gLevel);
    ASSERT_LE(gTankWeaponList.Count(), 20) << "one missile per 500 ms, each gone within 2 s";
    ASSERT_LE(gUfoWeaponList.Count(), 2 * gLevel * 3);
    ASSERT_LE(gParticleList.Count(), 4000);
    if (frame % 50 == 0) {
      gParticleList.ForEach([&explosions](const auto& p) { explosions += p->intType >= 503 ? 1 : 0; });
      ASSERT_TRUE(AllFinite(gUfoList)) << "frame " << frame;
      ASSERT_TRUE(AllFinite(gUfoWeaponList));
      ASSERT_TRUE(AllFinite(gTankWeaponList));
      ASSERT_TRUE(AllFinite(gParticleList));
      ASSERT_TRUE(std::isfinite(gPlayer->x));
      ASSERT_GE(gPlayer->x, 0);
      ASSERT_LE(gPlayer->x, 800);
    }
  }
  EXPECT_GE(maxUfos, 400);
  EXPECT_GT(levelsPlayed, 60);
  EXPECT_GT(explosions, 0);
  EXPECT_LT(gPlayer->life, 5.0f) << "the bombs found the tank";
}

}  // namespace
