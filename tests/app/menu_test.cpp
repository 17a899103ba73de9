#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/screens.h"
#include "common/globals.h"
#include "engine/platform/input.h"
#include "game/player.h"
#include "shell_fixture.h"
#include "ui/button.h"

namespace {

// Inside each face (x 285 .. 514), and a gap between the top slot (235 .. 304) and TUTORIAL (307 ..).
constexpr int kX = 400;
constexpr int kTopY = 250, kTutorialY = 330, kOptionsY = 400, kNewGameY = 470, kQuitY = 540, kGapY = 305;

using MenuTest = ShellTest;

}  // namespace

TEST_F(MenuTest, ButtonsStandInOneColumnWithAGapUnderTheTopSlot) {
  EXPECT_EQ(gMenuButtonX, 285);
  EXPECT_EQ(gMenuButtonY, 235);
  EXPECT_EQ(gCreditsButton->posy, 235);
  EXPECT_EQ(gResumeButton->posy, 235);
  EXPECT_EQ(gTutorialButton->posy, 307);
  EXPECT_EQ(gOptionsButton->posy, 376);
  EXPECT_EQ(gNewGameButton->posy, 445);
  EXPECT_EQ(gQuitButton->posy, 514);
  EXPECT_EQ(gQuitButton->posy + gMenuButtonImage->height, 583);

  platform->MoveMouse(10, 20);
  Frame();
  auto faces = DrawsOf(gMenuButtonImage);
  ASSERT_EQ(faces.size(), 5u);
  for (const DrawRecord& face : faces) EXPECT_FLOAT_EQ(face.x, 285);
  EXPECT_EQ(CaptionAt(235), "CREDITS");
  EXPECT_EQ(CaptionAt(307), "TUTORIAL");
  EXPECT_EQ(CaptionAt(514), "QUIT");
  ASSERT_EQ(DrawsOf(gTitleImage).size(), 1u);
  EXPECT_FLOAT_EQ(DrawsOf(gTitleImage)[0].y, 0);
  // The pointer picture comes last, its corner at the pointer.
  const DrawRecord& last = platform->LastFrame().back();
  EXPECT_EQ(last.image, gMouseImage.get());
  EXPECT_FLOAT_EQ(last.x, 10);
  EXPECT_FLOAT_EQ(last.y, 20);
}

TEST_F(MenuTest, TopSlotReadsResumeOnceAGameHasStarted) {
  ClickAt(kX, kNewGameY);
  Frame();
  EXPECT_EQ(gGameState, kStatePlay);
  Frame();  // the first frame of play sets the game up
  EXPECT_EQ(gGameInProgress, 1);
  platform->TapKey(kKeyEscape);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  Frame();
  EXPECT_EQ(CaptionAt(235), "RESUME");
  const int level = gLevel;
  ClickAt(kX, kTopY);
  Frame();
  EXPECT_EQ(gGameState, kStatePlay);
  EXPECT_EQ(gGameInProgress, 1);
  Frame();
  EXPECT_EQ(gLevel, level);  // the same game goes on
}

TEST_F(MenuTest, EachEntryLeadsToItsScreen) {
  const struct {
    int y, state;
  } entries[] = {{kTopY, kStateCredits}, {kOptionsY, kStateOptions}, {kQuitY, kStateClosing}};
  for (const auto& entry : entries) {
    gGameState = kStateMenu;
    ClickAt(kX, entry.y);
    Frame();
    EXPECT_EQ(gGameState, entry.state);
  }
  gGameState = kStateMenu;
  gGameInProgress = 1;
  gPlayer->blnEnableFire = false;
  ClickAt(kX, kNewGameY);
  Frame();
  EXPECT_EQ(gGameState, kStatePlay);
  EXPECT_EQ(gGameInProgress, 0);
  EXPECT_TRUE(gPlayer->blnEnableFire);
}

TEST_F(MenuTest, OnlyExactlyOneClickOnAnEntryPicksItAndSoundsOnce) {
  Frame();  // the music has started
  platform->MoveMouse(kX, kTutorialY);
  Frame();  // the hover sound plays on entering
  platform->PressButton(1);
  platform->ReleaseButton(1);
  platform->PressButton(1);
  platform->ReleaseButton(1);
  EXPECT_EQ(SoundsStartedBy(1), 0);
  EXPECT_EQ(gGameState, kStateMenu);

  ClickAt(kX, kGapY);
  EXPECT_EQ(SoundsStartedBy(1), 0);
  EXPECT_EQ(gGameState, kStateMenu);

  platform->MoveMouse(kX, kQuitY);
  Frame();
  ClickAt(kX, kQuitY);
  EXPECT_EQ(SoundsStartedBy(1), 1);
  EXPECT_EQ(gGameState, kStateClosing);
}

TEST_F(MenuTest, ALaterButtonWinsOnASharedEdgeAndOnlyTheShownTopButtonCounts) {
  // y 376 is TUTORIAL's bottom edge line and OPTIONS' top one.
  ClickAt(kX, 376);
  Frame();
  EXPECT_EQ(gGameState, kStateOptions);

  // CREDITS saw the mouse last, but once RESUME has taken the slot CREDITS is no longer asked.
  gGameState = kStateMenu;
  platform->MoveMouse(kX, kTopY);
  Frame();
  ASSERT_EQ(gCreditsButton->IsMouseOver, 1);
  gGameInProgress = 1;
  ClickAt(kX, kGapY);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  EXPECT_EQ(gCreditsButton->IsMouseOver, 1);
}

TEST_F(MenuTest, HoverSoundOncePerEntryIntoAButton) {
  platform->MoveMouse(10, 10);
  Frame();
  platform->MoveMouse(kX, kQuitY);
  EXPECT_EQ(SoundsStartedBy(1), 1);
  EXPECT_EQ(SoundsStartedBy(3), 0);
  platform->MoveMouse(kX, kNewGameY);  // straight onto the next button
  EXPECT_EQ(SoundsStartedBy(1), 1);
}

TEST_F(MenuTest, EscapeDoesNothingOnTheMenu) {
  platform->TapKey(kKeyEscape);
  Frames(2);
  EXPECT_EQ(gGameState, kStateMenu);
}

namespace {
// The y of the one face drawn lit in the last frame, or -1 when none (or more than one) is.
int LitFaceY(const std::vector<DrawRecord>& lit) {
  return lit.size() == 1 ? static_cast<int>(lit[0].y) : -1;
}
}  // namespace

TEST_F(MenuTest, KeysWalkAHighlightThatLooksAndSoundsLikeTheMouseAndEnterPicksIt) {
  platform->MoveMouse(10, 10);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), -1);
  // The first Down lights the top entry, with the hover sound; the walk wraps both ways.
  platform->TapKey(kKeyDown);
  EXPECT_EQ(SoundsStartedBy(1), 1);
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 235);
  EXPECT_EQ(CaptionAt(235), "CREDITS");
  const std::pair<int, int> walk[] = {{kKeyDown, 307}, {kKeyTab, 376}, {kKeyDown, 445}, {kKeyDown, 514},
                                      {kKeyDown, 235}, {kKeyUp, 514},  {kKeyUp, 445}};
  for (const auto& [key, y] : walk) {
    platform->TapKey(key);
    EXPECT_EQ(SoundsStartedBy(1), 1) << "key " << key;
    EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), y) << "key " << key;
    EXPECT_EQ(MenuHighlight(), (y - 235 + 3) / 69) << "key " << key;
  }
  // Shift+Tab walks back; staying put is silent.
  platform->PressKey(kKeyLeftShift);
  platform->TapKey(kKeyTab);
  Frame();
  platform->ReleaseKey(kKeyLeftShift);
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 376);
  EXPECT_EQ(SoundsStartedBy(2), 0);
  platform->TapKey(kKeyEnter);
  EXPECT_EQ(SoundsStartedBy(1), 1);  // the click sound
  EXPECT_EQ(gGameState, kStateOptions);
}

TEST_F(MenuTest, TheMouseMovesTheHighlightAndSpacePicksWhereTheKeysLeftIt) {
  platform->MoveMouse(kX, kTutorialY);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 307);
  platform->TapKey(kKeyDown);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 376);
  // The resting mouse does not pull the highlight back; moving it does.
  Frames(2);
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 376);
  platform->MoveMouse(kX, kNewGameY);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 445);
  platform->MoveMouse(kX, kGapY);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), -1);
  // Space with nothing lit picks nothing; after Up it picks QUIT.
  platform->TapKey(kKeySpace);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  platform->TapKey(kKeyUp);
  Frame();
  platform->TapKey(kKeySpace);
  Frame();
  EXPECT_EQ(gGameState, kStateClosing);
}

TEST_F(MenuTest, APadWalksTheMenuPicksWithAAndLeavesTheCreditsWithBOrStart) {
  platform->PlugPad(7);
  Frame();
  platform->TapPadButton(7, kPadDpadDown);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 235);
  // The stick steps once per push past its dead zone, however long it is held.
  platform->MovePadAxis(7, kPadAxisLeftY, 30000);
  Frames(3);
  platform->MovePadAxis(7, kPadAxisLeftY, 0);
  Frame();
  EXPECT_EQ(LitFaceY(DrawsOf(gMenuButtonHoverImage)), 307);
  platform->TapPadButton(7, kPadDpadUp);
  Frame();
  platform->TapPadButton(7, kPadA);
  Frame();
  EXPECT_EQ(gGameState, kStateCredits);
  platform->TapPadButton(7, kPadB);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  platform->TapPadButton(7, kPadDpadDown);
  platform->TapPadButton(7, kPadDpadDown);
  Frame();
  platform->TapPadButton(7, kPadA);
  Frame();
  EXPECT_EQ(gGameState, kStateOptions);
  platform->TapPadButton(7, kPadStart);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
}
