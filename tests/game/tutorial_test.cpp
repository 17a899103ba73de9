// The tutorial's lessons, their goals and texts, Enter handling, and the tutorial's own tank taking the
// bombs of lessons 4 and 5.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/startup.h"
#include "common/delta.h"
#include "common/globals.h"
#include "common/random_number.h"
#include "common/register_assets.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "game/player.h"
#include "game/tile_sets.h"
#include "game/tutorial.h"
#include "game/ufo_base.h"
#include "game/ufo_fireball.h"
#include "game/weapon_base.h"
#include "sprite/tileset.h"
#include "ui/text.h"

namespace {

class TutorialTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform_ = UseHeadlessPlatform();
    RegisterAssets();
    LoadImagesAndSounds();
    CreateTileSets();
    CreateRandomNumber();
  }
  static void TearDownTestSuite() { platform_.reset(); }

  void SetUp() override {
    ResetInputState();  // no presses, pads or last device left over from the test before
    ASSERT_TRUE(OpenGraphics(gScreenWidth, gScreenHeight, 0, 60, 0));
    gScreenCenterX = gScreenWidth / 2;
    gScreenCenterY = gScreenHeight / 2;
    gPlayer = TPlayer::Create(gScreenCenterX, gScreenHeight - 100, 100);
    tutorial_ = std::make_shared<TTutorial>();
    // Frame time 0: nothing moves unless a test moves it.
    TDelta::Start();
    TDelta::Update();
  }

  // One frame as the main loop runs it: the tutorial's work, then the flip.
  void Frame(int millis = 17) {
    tutorial_->Draw(gFontImage);
    Flip(0);
    platform_->AdvanceMillis(millis);
  }

  // Runs frames until the current lesson's goal is met, then presses Enter.
  void Advance() {
    platform_->TapKey(kKeyEnter);
    Frame();
  }

  // Ends the lesson's UFO as a missile would.
  static void DestroyUfo() {
    gUfoList.ForEach([](const std::shared_ptr<IUfoBase>& ufo) { ufo->blnDraw = false; });
  }

  // Y positions of the font glyphs drawn in the last frame.
  std::vector<float> GlyphRows() const {
    std::vector<float> rows;
    for (const DrawRecord& draw : platform_->LastFrame()) {
      if (draw.kind == DrawRecord::kImage && draw.image == gFontImage.get() &&
          std::find(rows.begin(), rows.end(), draw.y) == rows.end())
        rows.push_back(draw.y);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  static std::shared_ptr<HeadlessPlatform> platform_;
  std::shared_ptr<TTutorial> tutorial_;
};
std::shared_ptr<HeadlessPlatform> TutorialTest::platform_;

TEST_F(TutorialTest, LessonOneShowsTwoCentredLinesAndWaitsForAnArrowPress) {
  Frame();
  EXPECT_EQ(tutorial_->intCurrentRule, 1);
  ASSERT_TRUE(tutorial_->objRule && tutorial_->objRule2);
  EXPECT_EQ(tutorial_->objRule->text, "Press the left and right arrow keys to move");
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100, 140}));
  // The line of n characters starts at (800 - 12 n) / 2, so it is centred on x 400.
  const TLetter& first = *tutorial_->objRule->First();
  EXPECT_FLOAT_EQ(first.x, (800 - 12.0f * 43) / 2);
  EXPECT_FALSE(tutorial_->blnReadyForNextLesson);
  EXPECT_FALSE(tutorial_->objTank->blnEnableFire);

  platform_->TapKey(kKeyRight);
  Frame();
  EXPECT_TRUE(tutorial_->blnReadyForNextLesson);
  EXPECT_EQ(tutorial_->objRule->text, "Excellent! Press enter to continue!");
  EXPECT_EQ(tutorial_->objRule2, nullptr);
  Advance();
  EXPECT_EQ(tutorial_->intCurrentRule, 2);
  EXPECT_EQ(tutorial_->objTank, nullptr) << "each lesson makes a new tank on its first frame";
  Frame();
  ASSERT_NE(tutorial_->objTank, nullptr);
  EXPECT_TRUE(tutorial_->objTank->blnEnableFire) << "lesson 2 lets the tank fire";
}

TEST_F(TutorialTest, PressesMadeBeforeALessonDoNotMeetItsGoal) {
  // A Left press made while playing, and a Space press in lesson 1, belong to earlier screens.
  platform_->TapKey(kKeyLeft);
  platform_->TapKey(kKeySpace);
  Frame();
  EXPECT_FALSE(tutorial_->blnReadyForNextLesson);
  platform_->TapKey(kKeySpace);
  Frame();
  EXPECT_FALSE(tutorial_->blnReadyForNextLesson) << "Space is not lesson 1's goal";
  platform_->TapKey(kKeyLeft);
  Frame();
  ASSERT_TRUE(tutorial_->blnReadyForNextLesson);
  Advance();
  Frame();
  EXPECT_EQ(tutorial_->intCurrentRule, 2);
  EXPECT_FALSE(tutorial_->blnReadyForNextLesson) << "the Space press of lesson 1 must not count in lesson 2";
  platform_->TapKey(kKeySpace);
  Frame();
  EXPECT_TRUE(tutorial_->blnReadyForNextLesson);
}

TEST_F(TutorialTest, EnterCountsOnlyWhenPressedOnceAfterTheGoal) {
  Frame();
  platform_->TapKey(kKeyEnter);  // before the goal: forgotten when the goal is met
  platform_->TapKey(kKeyLeft);
  Frame();
  ASSERT_TRUE(tutorial_->blnReadyForNextLesson);
  Frame();
  EXPECT_EQ(tutorial_->intCurrentRule, 1);
  platform_->TapKey(kKeyEnter);
  platform_->TapKey(kKeyEnter);  // two presses in one frame read as 2 and are ignored
  Frame();
  EXPECT_EQ(tutorial_->intCurrentRule, 1);
  Advance();
  EXPECT_EQ(tutorial_->intCurrentRule, 2);
}

TEST_F(TutorialTest, LessonThreeIsWonByDestroyingItsSingleUfoThatNeverRetreats) {
  tutorial_->intCurrentRule = 3;
  Frame();
  ASSERT_EQ(gUfoList.Count(), 1);
  const auto ufo = gUfoList.First();
  EXPECT_FALSE(ufo->blnAllowRetreat);
  EXPECT_FLOAT_EQ(ufo->xscale, 1.0f);
  EXPECT_EQ(tutorial_->objRule->text, "Destroy the UFO");
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_FALSE(ufo->Retreated());
  EXPECT_FALSE(tutorial_->blnReadyForNextLesson);
  DestroyUfo();
  Frame();
  EXPECT_TRUE(gUfoList.IsEmpty());
  EXPECT_TRUE(tutorial_->blnReadyForNextLesson);
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100}));
}

TEST_F(TutorialTest, BombsHitTheTutorialsOwnTank) {
  tutorial_->intCurrentRule = 4;
  Frame();
  ASSERT_EQ(gUfoList.Count(), 1);
  // Move the game's tank out of the way: it is not on screen during the tutorial.
  gPlayer->x = 100;
  const auto tank = tutorial_->objTank;
  const float life_before = tank->life;
  const auto bomb = TUfoFireball::Create(static_cast<int>(tank->x), static_cast<int>(tank->y) - 8, 400, 1);
  gUfoWeaponList.AddLast(bomb);
  Frame();
  EXPECT_LT(tank->life, life_before) << "the bomb must hurt the tank the player sees";
  EXPECT_FALSE(bomb->blnDraw) << "and burst on it";
  EXPECT_FLOAT_EQ(gPlayer->life, 5.0f);
  // Now invincible for a second: the next bomb neither hurts nor bursts while over the tank.
  const auto second = TUfoFireball::Create(static_cast<int>(tank->x), static_cast<int>(tank->y) - 8, 400, 1);
  gUfoWeaponList.AddLast(second);
  Frame();
  EXPECT_FLOAT_EQ(tank->life, life_before - 0.1f);
}

TEST_F(TutorialTest, TheClosingPageFollowsLessonFiveAndEnterEndsTheTutorial) {
  tutorial_->intCurrentRule = 5;
  Frame();
  ASSERT_EQ(gUfoList.Count(), 1);
  EXPECT_TRUE(gUfoList.First()->blnAllowRetreat);
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100, 140, 180}));
  DestroyUfo();
  Frame();
  ASSERT_TRUE(tutorial_->blnReadyForNextLesson);
  Frame();
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100})) << "only the Excellent line is left";
  Advance();
  EXPECT_EQ(tutorial_->intCurrentRule, TTutorial::kFinishedPage);
  EXPECT_TRUE(tutorial_->blnPlayTutorial) << "the Enter that left lesson 5 is not seen again";
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "C O N G R A D U L A T I O N S !");
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100, 140, 180}));
  EXPECT_TRUE(gUfoList.IsEmpty());
  Advance();
  EXPECT_FALSE(tutorial_->blnPlayTutorial);
}

}  // namespace

TEST_F(TutorialTest, APadPlaysTheLessonsAndTheLinesNameThePadsControlsWhileItIsUsed) {
  platform_->PlugPad(5);
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Press the left and right arrow keys to move");
  // A button that is no goal still shows that a pad is in use; a key brings the keyboard's words back.
  platform_->TapPadButton(5, kPadX);
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Use the d-pad or the left stick to move");
  ASSERT_TRUE(tutorial_->objRule2);
  EXPECT_EQ(tutorial_->objRule2->text, "Hold the right shoulder or trigger to move faster");
  EXPECT_EQ(tutorial_->objRule2->posy, 140);
  EXPECT_EQ(GlyphRows(), (std::vector<float>{100, 140}));
  platform_->TapKey(kKeyUp);
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Press the left and right arrow keys to move");
  EXPECT_EQ(tutorial_->objRule2->text, "Press the shift key with left/right arrows to move faster");

  platform_->MovePadAxis(5, kPadAxisLeftX, 30000);
  Frame();
  platform_->MovePadAxis(5, kPadAxisLeftX, 0);
  ASSERT_TRUE(tutorial_->blnReadyForNextLesson);
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Excellent! Press the A button to continue!");
  platform_->TapPadButton(5, kPadA);
  Frame();
  ASSERT_EQ(tutorial_->intCurrentRule, 2);
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Press the A button to fire");
  // A fires and meets the goal; only a later A moves on.
  platform_->PressPadButton(5, kPadA);
  Frame();
  platform_->ReleasePadButton(5, kPadA);
  ASSERT_TRUE(tutorial_->blnReadyForNextLesson);
  EXPECT_EQ(tutorial_->intCurrentRule, 2);
  EXPECT_EQ(gTankWeaponList.Count(), 1);
  platform_->TapPadButton(5, kPadA);
  Frame();
  ASSERT_EQ(tutorial_->intCurrentRule, 3);
  Frame();
  DestroyUfo();
  Frame();
  Frame();
  EXPECT_EQ(tutorial_->objRule->text, "Excellent! Press the A button to continue!");
  platform_->TapPadButton(5, kPadA);
  Frame();
  EXPECT_EQ(tutorial_->intCurrentRule, 4);

  // The closing page ends with A too.
  tutorial_->intCurrentRule = TTutorial::kFinishedPage;
  tutorial_->objRule = nullptr;
  Frame();
  EXPECT_EQ(tutorial_->objRule3->text, "Press the A button to continue!");
  platform_->TapPadButton(5, kPadA);
  Frame();
  EXPECT_FALSE(tutorial_->blnPlayTutorial);
}
