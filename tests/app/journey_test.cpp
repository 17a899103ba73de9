// A player's whole visit, frame by frame through the real main loop: the menu, every tutorial lesson
// won the way a player wins it (driving under the UFO with Space held), the closing page, a new game
// with firing, Escape, RESUME of the same game, and QUIT with the closing logo; and a tutorial visit in
// the middle of a game, which must give the game back untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/main_loop.h"
#include "app/screens.h"
#include "common/globals.h"
#include "engine/platform/clock.h"
#include "engine/platform/input.h"
#include "game/particle_base.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/tutorial.h"
#include "game/ufo_base.h"
#include "game/weapon_base.h"
#include "shell_fixture.h"

namespace {

constexpr int kMenuX = 400, kTopY = 265, kTutorialY = 330, kNewGameY = 470, kQuitY = 540;
// Two minutes of play at 60 frames per second: far more than a lesson needs when the tank is driven
// under the UFO, small enough to keep the test quick when something is wrong.
constexpr int kLessonFrameLimit = 60 * 120;

class JourneyTest : public ShellTest {
 protected:
  // The font glyphs of the last frame drawn at exactly this y, read left to right (spaces draw nothing).
  std::string TextAt(float y) const {
    std::vector<std::pair<float, char>> glyphs;
    for (const DrawRecord& r : DrawsOf(gFontImage))
      if (r.y == y) glyphs.emplace_back(r.x, static_cast<char>(r.frame + 33));
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (const auto& g : glyphs) text += g.second;
    return text;
  }
  // Every row of glyphs in the last frame, top to bottom.
  std::vector<std::string> TextRows() const {
    std::set<float> rows;
    for (const DrawRecord& r : DrawsOf(gFontImage)) rows.insert(r.y);
    std::vector<std::string> out;
    for (float y : rows) out.push_back(TextAt(y));
    return out;
  }
  static std::string Glyphs(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
  }

  void Hold(int key) { platform->PressKey(key); }
  void Release(int key) { platform->ReleaseKey(key); }

  // Drives the tutorial's tank towards the point under its UFO with Space held until the lesson's goal
  // is met; returns the frames it took (the limit when it was not met).
  int WinUfoLesson() {
    Hold(kKeySpace);
    int steer = 0;  // the arrow key held now, or 0
    int frames = 0;
    for (; frames < kLessonFrameLimit && !gTutorial->blnReadyForNextLesson; ++frames) {
      int want = 0;
      const auto ufo = gUfoList.First();
      const auto tank = gTutorial->objTank;
      if (ufo && tank) {
        if (ufo->x < tank->x - 6) want = kKeyLeft;
        if (ufo->x > tank->x + 6) want = kKeyRight;
      }
      if (want != steer) {
        if (steer) Release(steer);
        if (want) Hold(want);
        steer = want;
      }
      Frame();
    }
    if (steer) Release(steer);
    Release(kKeySpace);
    return frames;
  }

  // Enter, then the lesson's first frame (its lines, tank and UFO are made on it).
  void NextPage() {
    platform->TapKey(kKeyEnter);
    Frame();
    Frame();
  }

  // The line changes during the goal's frame, so the next frame shows it.
  void ExpectExcellent() {
    Frame();
    EXPECT_TRUE(gTutorial->blnReadyForNextLesson);
    EXPECT_EQ(TextRows(), std::vector<std::string>{Glyphs("Excellent! Press enter to continue!")});
  }
};

TEST_F(JourneyTest, MenuTutorialNewGameResumeAndQuit) {
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  EXPECT_EQ(CaptionAt(235), "CREDITS");
  EXPECT_EQ(CaptionAt(307), "TUTORIAL");
  EXPECT_EQ(CaptionAt(445), "NEWGAME");

  // TUTORIAL: lesson 1, two lines; an arrow press meets the goal.
  ClickAt(kMenuX, kTutorialY);
  Frame();
  ASSERT_EQ(gGameState, kStateTutorial);
  ASSERT_NE(gTutorial, nullptr);
  Frame();
  EXPECT_EQ(gTutorial->intCurrentRule, 1);
  EXPECT_EQ(TextAt(100), Glyphs("Press the left and right arrow keys to move"));
  EXPECT_EQ(TextAt(140), Glyphs("Press the shift key with left/right arrows to move faster"));
  EXPECT_TRUE(DrawsOf(gMouseImage).empty()) << "the pointer belongs to the menu only";
  platform->TapKey(kKeyLeft);
  Frame();
  ExpectExcellent();

  // Lesson 2: Space fires a missile and meets the goal.
  NextPage();
  ASSERT_EQ(gTutorial->intCurrentRule, 2);
  EXPECT_EQ(TextRows(), std::vector<std::string>{Glyphs("Press the space bar to fire")});
  Hold(kKeySpace);
  Frame();
  Release(kKeySpace);
  Frame();
  ExpectExcellent();
  EXPECT_EQ(gTankWeaponList.Count(), 1) << "the held Space fired one missile";

  // Lessons 3 to 5: one scout UFO each, destroyed by missiles from under it.
  const std::vector<std::vector<std::string>> ufo_lessons = {
      {"Destroy the UFO"},
      {"Avoid the bombs or shoot to destroy them"},
      {"UFOs can move away into the distance", "UFOs cannot attack the tank while they are away",
       "The tank cannot attack UFOs while they are away"}};
  for (int lesson = 3; lesson <= 5; ++lesson) {
    SCOPED_TRACE("lesson " + std::to_string(lesson));
    NextPage();
    ASSERT_EQ(gTutorial->intCurrentRule, lesson);
    std::vector<std::string> expected;
    for (const std::string& line : ufo_lessons[lesson - 3]) expected.push_back(Glyphs(line));
    EXPECT_EQ(TextRows(), expected);
    ASSERT_EQ(gUfoList.Count(), 1);
    EXPECT_EQ(gUfoList.First()->blnAllowRetreat, lesson == 5);
    const int frames = WinUfoLesson();
    ASSERT_LT(frames, kLessonFrameLimit) << "the UFO was never destroyed";
    EXPECT_TRUE(gUfoList.IsEmpty());
    ExpectExcellent();
  }

  // The closing page, then Enter: back to the menu, which still offers CREDITS (no game yet).
  NextPage();
  EXPECT_EQ(gTutorial->intCurrentRule, TTutorial::kFinishedPage);
  EXPECT_EQ(TextRows(), (std::vector<std::string>{Glyphs("C O N G R A D U L A T I O N S !"),
                                                  Glyphs("You have successfully completed this tutorial!"),
                                                  Glyphs("Press enter to continue!")}));
  EXPECT_TRUE(gUfoList.IsEmpty() && gTankWeaponList.IsEmpty() && gParticleList.IsEmpty());
  platform->TapKey(kKeyEnter);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  Frame();
  EXPECT_EQ(CaptionAt(235), "CREDITS");
  EXPECT_EQ(DrawsOf(gMouseImage).size(), 1u);

  // NEW GAME: level 10 with twenty scouts; drive and fire.
  ClickAt(kMenuX, kNewGameY);
  Frame();
  ASSERT_EQ(gGameState, kStatePlay);
  Frame();  // the game sets itself up on its first frame
  EXPECT_EQ(gLevel, 10);
  EXPECT_EQ(gGameInProgress, 1);
  EXPECT_EQ(gUfoList.Count(), 20);
  EXPECT_EQ(TextRows(), std::vector<std::string>{"Level:10"});
  Hold(kKeySpace);
  Hold(kKeyRight);
  const float start_x = gPlayer->x;
  Frames(40);
  Release(kKeyRight);
  Release(kKeySpace);
  EXPECT_GT(gPlayer->x, start_x + 50) << "Right drives the game's tank";
  EXPECT_GE(gTankWeaponList.Count(), 1) << "Space fires";
  ASSERT_EQ(gLevel, 10);

  // Escape: the menu now offers RESUME; RESUME continues the same level with the same objects.
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  Frame();
  EXPECT_EQ(CaptionAt(235), "RESUME");
  std::set<const IUfoBase*> ufos_before;
  gUfoList.ForEach([&](const std::shared_ptr<IUfoBase>& u) { ufos_before.insert(u.get()); });
  const float tank_x = gPlayer->x;
  ClickAt(kMenuX, kTopY);
  Frame();
  ASSERT_EQ(gGameState, kStatePlay);
  Frame();
  EXPECT_EQ(gLevel, 10);
  EXPECT_FLOAT_EQ(gPlayer->x, tank_x);
  int kept = 0;
  gUfoList.ForEach([&](const std::shared_ptr<IUfoBase>& u) { kept += ufos_before.count(u.get()) ? 1 : 0; });
  EXPECT_EQ(kept, gUfoList.Count()) << "no new UFOs on RESUME";
  EXPECT_GT(kept, 0);
  Hold(kKeySpace);
  Frames(40);
  Release(kKeySpace);
  EXPECT_EQ(gGameState, kStatePlay);

  // Escape, QUIT: the logo for just over two seconds, then the loop ends with code 0.
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  ClickAt(kMenuX, kQuitY);
  Frame();
  ASSERT_EQ(gGameState, kStateClosing);
  const int64_t quit_at = ClockMillis();
  int frames = 0;
  while (gRunning && frames < 1000) {
    Frame();
    ++frames;
  }
  EXPECT_FALSE(gRunning);
  const int64_t shown = ClockMillis() - quit_at;
  EXPECT_GT(shown, 2000);
  EXPECT_LE(shown, 2000 + 3 * 17);
  EXPECT_EQ(RunFrames(), 0);
  EXPECT_TRUE(platform->PointerVisible());
}

// Everything of a round the player can see or that decides what happens next: each object by identity
// with its place, in list order, the region grid's cells, the level and the tank.
struct RoundPicture {
  using Entries = std::vector<std::tuple<const void*, float, float>>;
  Entries ufos, bombs, missiles, particles;
  std::vector<std::vector<const void*>> cells;
  int level = 0;
  float tank_x = 0;

  template <class T>
  static Entries Of(TList<T>& list) {
    Entries out;
    list.ForEach([&out](const auto& o) { out.emplace_back(o.get(), o->x, o->y); });
    return out;
  }
  static RoundPicture Now() {
    RoundPicture p;
    p.ufos = Of(gUfoList);
    p.bombs = Of(gUfoWeaponList);
    p.missiles = Of(gTankWeaponList);
    p.particles = Of(gParticleList);
    for (int r = 0; r < TRegionGrid::kCells; ++r) {
      std::vector<const void*> cell;
      for (const auto& e : gRegions.ufos[r]) cell.push_back(e.object.get());
      for (const auto& e : gRegions.ufoWeapons[r]) cell.push_back(e.object.get());
      for (const auto& e : gRegions.tankWeapons[r]) cell.push_back(e.object.get());
      p.cells.push_back(cell);
    }
    p.level = gLevel;
    p.tank_x = gPlayer->x;
    return p;
  }
  bool operator==(const RoundPicture&) const = default;
};

TEST_F(JourneyTest, ATutorialVisitGivesTheGameBackUntouched) {
  // NEW GAME, driven and fired at until the sky holds UFOs, bombs, missiles and smoke at once.
  ClickAt(kMenuX, kNewGameY);
  Frames(2);
  ASSERT_EQ(gLevel, 10);
  Hold(kKeySpace);
  Hold(kKeyRight);
  int frames = 0;
  while ((gUfoWeaponList.IsEmpty() || gTankWeaponList.IsEmpty() || gParticleList.IsEmpty()) &&
         frames < 1200) {
    Frame();
    ++frames;
  }
  Release(kKeyRight);
  ASSERT_FALSE(gUfoWeaponList.IsEmpty() || gTankWeaponList.IsEmpty() || gParticleList.IsEmpty());
  platform->TapKey(kKeyEscape);
  Frame();
  Release(kKeySpace);
  ASSERT_EQ(gGameState, kStateMenu);
  const RoundPicture left = RoundPicture::Now();
  ASSERT_FALSE(left.ufos.empty());

  // TUTORIAL up to lesson 3, where the tutorial has a UFO and missiles of its own; then Escape.
  ClickAt(kMenuX, kTutorialY);
  Frames(2);
  ASSERT_EQ(gGameState, kStateTutorial);
  EXPECT_TRUE(gUfoList.IsEmpty() && gUfoWeaponList.IsEmpty() && gTankWeaponList.IsEmpty())
      << "the lessons start with a sky of their own";
  platform->TapKey(kKeyLeft);
  Frames(2);
  NextPage();
  platform->TapKey(kKeySpace);
  Frames(2);
  NextPage();
  ASSERT_EQ(gTutorial->intCurrentRule, 3);
  Hold(kKeySpace);
  Frames(40);
  Release(kKeySpace);
  ASSERT_EQ(gUfoList.Count(), 1);
  ASSERT_FALSE(gTankWeaponList.IsEmpty());
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  EXPECT_TRUE(RoundPicture::Now() == left)
      << "the game is back as Escape left it, with nothing of the lesson";

  // RESUME: the same level goes on with the same objects, and no new wave.
  Frame();
  EXPECT_EQ(CaptionAt(235), "RESUME");
  ClickAt(kMenuX, kTopY);
  Frame();
  ASSERT_EQ(gGameState, kStatePlay);
  Frame();
  EXPECT_EQ(gLevel, left.level);
  EXPECT_EQ(TextRows(), std::vector<std::string>{"Level:" + std::to_string(left.level)});
  std::set<const void*> before;
  for (const auto& u : left.ufos) before.insert(std::get<0>(u));
  int kept = 0;
  gUfoList.ForEach([&](const std::shared_ptr<IUfoBase>& u) { kept += before.count(u.get()) ? 1 : 0; });
  EXPECT_EQ(kept, gUfoList.Count()) << "no UFO of the tutorial and no new wave";
  EXPECT_GT(kept, 0);
  EXPECT_FLOAT_EQ(gPlayer->x, left.tank_x);
}

}  // namespace
