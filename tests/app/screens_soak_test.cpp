// Long stays on every screen through the real main loop (menu, credits, each tutorial lesson and its
// closing page, play) with random keys: the region grid, every object list and every list of letters
// stays bounded, so nothing piles up however long the player waits.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "app/credits.h"
#include "app/screen_state.h"
#include "common/globals.h"
#include "engine/platform/input.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/tutorial.h"
#include "shell_fixture.h"
#include "ui/button.h"
#include "ui/line.h"
#include "ui/text.h"

namespace {

// The sanitizer build runs every frame many times slower; a twentieth of the frames still covers a
// minute and a half on each screen.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kFrames = 5000;
#else
constexpr int kFrames = 100000;
#endif

struct Screen {
  const char* name;
  int state;
  int lesson;  // tutorial page, for the tutorial state
};

void PrintTo(const Screen& screen, std::ostream* out) {
  *out << screen.name;
}

class ScreenSoakTest : public ShellTest, public ::testing::WithParamInterface<Screen> {
 protected:
  static int RegionEntries() {
    size_t n = 0;
    for (int r = 0; r < TRegionGrid::kCells; ++r)
      n += gRegions.ufos[r].size() + gRegions.ufoWeapons[r].size() + gRegions.tankWeapons[r].size();
    return static_cast<int>(n);
  }
  // Every letter list is at most as long as its text (the credits line holds at most the whole text).
  static void ExpectLettersBounded(int frame) {
    const int credits = static_cast<int>(CreditsText().size());
    ASSERT_LE(gCreditsLine->Count(), credits) << "frame " << frame;
    for (const auto& b :
         {gCreditsButton, gResumeButton, gTutorialButton, gOptionsButton, gNewGameButton, gQuitButton})
      ASSERT_LE(b->Count(), 12) << "frame " << frame;
    ASSERT_LE(gLevelLabel->Count(), 8);
    if (gLevelNumberText) {
      ASSERT_LE(gLevelNumberText->Count(), 6);
    }
    if (gTutorial) {
      for (const auto& line : {gTutorial->objRule, gTutorial->objRule2, gTutorial->objRule3})
        if (line) {
          ASSERT_LE(line->Count(), 64) << "frame " << frame;
        }
    }
  }
};

TEST_P(ScreenSoakTest, WaitingOnTheScreenKeepsEverythingBounded) {
  const Screen screen = GetParam();
  if (screen.state == kStateTutorial) {
    gTutorial = std::make_shared<TTutorial>();
    gTutorial->intCurrentRule = screen.lesson;
  }
  if (screen.state == kStatePlay) gPlayer->blnEnableFire = true;
  gGameState = screen.state;
  std::mt19937 rng(7);
  // Keys the screens read; Enter and Escape would leave the screen, and so would Space on the menu,
  // where it picks the highlighted entry (Backspace, which nothing reads, stands in for it there).
  const int fire = screen.state == kStateMenu ? kKeyBackspace : kKeySpace;
  const int keys[] = {kKeyLeft, kKeyRight, fire, kKeyLeftShift};
  bool down[4] = {};
  int most_regions = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    if (frame % 9 == 0) {
      const int k = static_cast<int>(rng() % 4);
      down[k] = !down[k];
      if (down[k]) {
        platform->PressKey(keys[k]);
      } else {
        platform->ReleaseKey(keys[k]);
      }
    }
    if (frame % 50 == 0) platform->MoveMouse(static_cast<int>(rng() % 800), static_cast<int>(rng() % 600));
    Frame();
    if (frame % 100 != 0) continue;
    ASSERT_EQ(gGameState, screen.state) << "frame " << frame;
    const int objects = gUfoList.Count() + gUfoWeaponList.Count() + gTankWeaponList.Count();
    // Each object lies in at most four cells.
    ASSERT_LE(RegionEntries(), 4 * objects) << "frame " << frame;
    most_regions = std::max(most_regions, RegionEntries());
    const int level = std::max(gLevel, 1);
    ASSERT_LE(gUfoList.Count(), 2 * level) << "frame " << frame;
    ASSERT_LE(gUfoWeaponList.Count(), 6 * level) << "frame " << frame;
    ASSERT_LE(gTankWeaponList.Count(), 20) << "one missile per 500 ms, each gone within 2 s";
    ASSERT_LE(gParticleList.Count(), 4000) << "frame " << frame;
    ExpectLettersBounded(frame);
  }
  if (screen.state == kStatePlay ||
      (screen.state == kStateTutorial && screen.lesson >= 2 && screen.lesson <= 5)) {
    EXPECT_GT(most_regions, 0) << "the screen's shots were entered in the grid";
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenSoakTest,
                         ::testing::Values(Screen{"Menu", kStateMenu, 0}, Screen{"Credits", kStateCredits, 0},
                                           Screen{"Lesson1", kStateTutorial, 1},
                                           Screen{"Lesson2", kStateTutorial, 2},
                                           Screen{"Lesson3", kStateTutorial, 3},
                                           Screen{"Lesson4", kStateTutorial, 4},
                                           Screen{"Lesson5", kStateTutorial, 5},
                                           Screen{"ClosingPage", kStateTutorial, TTutorial::kFinishedPage},
                                           Screen{"Play", kStatePlay, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
