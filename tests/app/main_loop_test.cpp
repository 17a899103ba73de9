#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "app/screen_state.h"
#include "app/screens.h"
#include "app/window_mode.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/audio/mixer.h"
#include "engine/platform/clock.h"
#include "engine/platform/input.h"
#include "engine/platform/stop_signals.h"
#include "engine/process/process.h"
#include "engine/render/graphics.h"
#include "game/level_display.h"
#include "game/player.h"
#include "game/tutorial.h"
#include "shell_fixture.h"
#include "ui/text.h"

namespace {

using MainLoopTest = ShellTest;

}  // namespace

TEST_F(MainLoopTest, GameWindowOpensForTheChosenModeWithTheTankReady) {
  const auto& windows = platform->Windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].width, 800);
  EXPECT_EQ(windows[0].height, 600);
  EXPECT_EQ(windows[0].depth, 0);
  EXPECT_EQ(windows[0].title, "VEXTORON");
  EXPECT_FALSE(platform->PointerVisible());
  EXPECT_EQ(gScreenCenterX, 400);
  EXPECT_EQ(gScreenCenterY, 300);
  ASSERT_NE(gPlayer, nullptr);
  EXPECT_FLOAT_EQ(gPlayer->x, 400);
  EXPECT_FLOAT_EQ(gPlayer->y, 500);
  EXPECT_EQ(gPlayer->intType, 100);

  ASSERT_TRUE(OpenGameWindow(TWindowMode::C_FullScreen));
  EXPECT_EQ(platform->Windows().back().depth, 16);
}

TEST_F(MainLoopTest, ClosingShowsTheLogoForJustOverTwoSecondsThenStopsTheMusic) {
  Frame();
  gGameState = kStateClosing;
  const int64_t start = ClockMillis();
  int frames = 0;
  while (gRunning && frames < 1000) {
    Frame();
    ++frames;
    if (frames == 1) {
      auto logo = DrawsOf(gLogoImage);
      ASSERT_EQ(logo.size(), 1u);
      EXPECT_FLOAT_EQ(logo[0].x, 400);
      EXPECT_FLOAT_EQ(logo[0].y, 300);
      EXPECT_EQ(gMenuMusicChannel->Playing(), 1);  // the music goes on meanwhile
    }
  }
  EXPECT_FALSE(gRunning);
  EXPECT_EQ(gClosingStartTime, start);
  // The loop ends on the first frame more than 2000 ms in, after that frame's flip.
  EXPECT_GT(ClockMillis() - start, 2000);
  EXPECT_LE(ClockMillis() - start, 2000 + 2 * 17);
  EXPECT_GT(frames, 100);
  EXPECT_EQ(gMenuMusicChannel->Playing(), 0);
  EXPECT_EQ(AudioMixer().StateOf(*gMenuMusicChannel->voice()), Voice::State::kIdle);
}

TEST_F(MainLoopTest, QuitEndsTheProcessWithCodeZeroAndShowsThePointer) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        gGameState = kStateClosing;
        gClosingStartTime = ClockMillis() - 2001;  // the logo has been up long enough
        const int code = RunFrames();
        if (!platform->PointerVisible()) EndProcess(3);
        EndProcess(code);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(MainLoopTest, WindowCloseBoxInTheGameActsAsQuit) {
  platform->RequestClose();
  Frame();
  EXPECT_EQ(gGameState, kStateClosing);
  EXPECT_EQ(DrawsOf(gLogoImage).size(), 1u);
  gClosingStartTime = ClockMillis() - 2001;
  EXPECT_EQ(RunFrames(), 0);
  EXPECT_FALSE(gRunning);
}

TEST_F(MainLoopTest, PressesCountOnlyOnTheScreenWhereTheyWereMade) {
  // A click on the credits, read as Escape takes the player back, does not pick the entry under it.
  gGameState = kStateCredits;
  Frame();
  ClickAt(400, 330);  // over TUTORIAL
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  Frames(2);
  EXPECT_EQ(gGameState, kStateMenu);

  // Escape pressed on the menu does not end the next game after one frame.
  platform->TapKey(kKeyEscape);
  Frame();
  ClickAt(400, 470);  // NEW GAME
  Frame();
  ASSERT_EQ(gGameState, kStatePlay);
  Frames(3);
  EXPECT_EQ(gGameState, kStatePlay);

  // A click during play is not taken by the menu.
  ClickAt(400, 540);  // where QUIT will be
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  Frames(2);
  EXPECT_EQ(gGameState, kStateMenu);
}

TEST_F(MainLoopTest, EveryTutorialVisitStartsAFreshTutorialAndItsEndLeadsBackToTheMenu) {
  ClickAt(400, 330);
  Frame();
  ASSERT_EQ(gGameState, kStateTutorial);
  auto first = gTutorial;
  ASSERT_NE(first, nullptr);
  Frame();
  EXPECT_EQ(gGameState, kStateTutorial);
  first->blnPlayTutorial = false;  // as when the closing page is left
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  ClickAt(400, 330);
  Frame();
  EXPECT_NE(gTutorial, first);
  EXPECT_EQ(gTutorial->intCurrentRule, 1);
}

TEST_F(MainLoopTest, TutorialWithoutALessonToRunReturnsToTheMenu) {
  gGameState = kStateTutorial;
  gTutorial.reset();
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
}

TEST_F(MainLoopTest, NoGameWindowIsReportedInOneLine) {
  platform->FailNextGraphics();
  EXPECT_FALSE(OpenGameWindow(TWindowMode::C_Window));
  platform->FailNextGraphics();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MainLoop(), 1);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "vextoron: cannot open a window with an OpenGL 3.3 context\n");
}

TEST_F(MainLoopTest, LevelNumberIsRebuiltOnlyWhenTheLevelChanges) {
  gLevel = 10;
  DrawLevel();
  auto first = gLevelNumberText;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->text, "10");
  EXPECT_EQ(first->posx, 160);
  DrawLevel();
  EXPECT_EQ(gLevelNumberText, first);
  gLevel = 11;
  DrawLevel();
  EXPECT_NE(gLevelNumberText, first);
  EXPECT_EQ(gLevelNumberText->text, "11");
  // The label leaves plain white, opaque drawing behind for the line under it.
  int r = 0, g = 0, b = 0;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_EQ(GetBlend(), 1);
}

TEST_F(MainLoopTest, LosingTheFocusOrMinimisingPausesPlayAndLessonsLikeEscape) {
  ClickAt(400, 470);  // NEW GAME
  Frames(3);
  ASSERT_EQ(gGameState, kStatePlay);
  const int level = gLevel;
  platform->LoseFocus();
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  Frame();
  EXPECT_EQ(gGameMusicChannel->Playing(), 0);  // paused, as for Escape
  EXPECT_EQ(gMenuMusicChannel->Playing(), 1);
  platform->GainFocus();
  Frames(2);
  EXPECT_EQ(gGameState, kStateMenu);  // the game waits for RESUME
  ClickAt(400, 250);
  Frame();
  EXPECT_EQ(gGameState, kStatePlay);
  EXPECT_EQ(gGameInProgress, 1);
  EXPECT_EQ(gLevel, level);

  // A minimised window pauses too, and the loop naps instead of drawing until it is back.
  platform->Minimise();
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  const int flips = platform->Flips();
  const int64_t before = ClockMillis();
  Frames(3);
  EXPECT_EQ(platform->Flips(), flips);
  EXPECT_GE(ClockMillis() - before, 3 * 50);
  platform->Restore();
  Frame();
  EXPECT_EQ(platform->Flips(), flips + 1);

  // A lesson pauses the same way, and the game set aside for it comes back; on the menu and the
  // credits losing the focus changes nothing.
  const int ufos = gUfoList.Count();
  ClickAt(400, 330);  // TUTORIAL
  Frames(2);
  ASSERT_EQ(gGameState, kStateTutorial);
  platform->LoseFocus();
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  EXPECT_EQ(gUfoList.Count(), ufos);
  EXPECT_EQ(gLevel, level);
  platform->LoseFocus();
  Frame();
  gGameState = kStateCredits;
  platform->LoseFocus();
  Frames(2);
  EXPECT_EQ(gGameState, kStateCredits);
}

TEST_F(MainLoopTest, F11AndAltEnterSwitchFullScreenAndMMutesOnEveryScreenWithoutLosingTheGame) {
  Frame();
  ASSERT_FALSE(platform->FullScreen());
  platform->TapKey(kKeyF11);
  Frame();
  EXPECT_TRUE(platform->FullScreen());
  // Alt+Enter switches back and is not an Enter for the menu's highlight.
  platform->TapKey(kKeyDown);
  Frame();
  platform->PressKey(kKeyLeftAlt);
  platform->TapKey(kKeyEnter);
  platform->ReleaseKey(kKeyLeftAlt);
  Frame();
  EXPECT_FALSE(platform->FullScreen());
  EXPECT_EQ(gGameState, kStateMenu);
  EXPECT_EQ(platform->Windows().size(), 1u);  // the same window throughout

  // In play: the same game goes on through the switches; M silences the mix while the music plays on.
  ClickAt(400, 470);
  Frames(3);
  ASSERT_EQ(gGameState, kStatePlay);
  const auto tank = gPlayer;
  platform->TapKey(kKeyF11);
  platform->TapKey(kKeyM);
  Frame();
  EXPECT_TRUE(platform->FullScreen());
  EXPECT_EQ(gGameState, kStatePlay);
  EXPECT_EQ(gPlayer, tank);
  EXPECT_TRUE(AudioMuted());
  EXPECT_EQ(gGameMusicChannel->Playing(), 1);
  for (int16_t v : platform->Mix(2048)) ASSERT_EQ(v, 0);
  // Still muted after the menu and a new screen; M again brings the sound back.
  platform->TapKey(kKeyEscape);
  Frames(2);
  EXPECT_TRUE(AudioMuted());
  platform->TapKey(kKeyM);
  Frame();
  EXPECT_FALSE(AudioMuted());
  bool heard = false;
  for (int16_t v : platform->Mix(2048)) heard = heard || v != 0;
  EXPECT_TRUE(heard);
  EXPECT_EQ(platform->FullScreenSwitches(), 3);
}

TEST_F(MainLoopTest, StartOnAnyPadLeavesPlayAndTheTutorialForTheMenu) {
  platform->PlugPad(1);
  platform->PlugPad(2);
  ClickAt(400, 470);  // NEW GAME
  Frames(2);
  ASSERT_EQ(gGameState, kStatePlay);
  platform->TapPadButton(2, kPadStart);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
  // B is no way out of play.
  ClickAt(400, 250);  // RESUME
  Frame();
  platform->TapPadButton(1, kPadB);
  Frames(2);
  EXPECT_EQ(gGameState, kStatePlay);
  // With the second pad unplugged, the first still plays.
  platform->UnplugPad(2);
  platform->MoveMouse(400, 330);  // the highlight goes to TUTORIAL on the menu's first frame
  platform->TapPadButton(1, kPadStart);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  platform->TapPadButton(1, kPadDpadDown);
  Frame();
  platform->TapPadButton(1, kPadDpadUp);
  Frame();
  platform->TapPadButton(1, kPadA);
  Frame();
  ASSERT_EQ(gGameState, kStateTutorial);
  Frame();
  platform->TapPadButton(1, kPadStart);
  Frame();
  EXPECT_EQ(gGameState, kStateMenu);
}

TEST_F(MainLoopTest, EachStopSignalEndsTheLoopOnAnyScreenWithoutTheGoodbye) {
  InstallStopSignals();
  const int signals[] = {SIGTERM, SIGINT, SIGHUP};
  const int screens[] = {kStateMenu, kStateCredits, kStatePlay, kStateTutorial, kStateOptions, kStateClosing};
  int i = 0;
  for (int screen : screens) {
    SCOPED_TRACE("screen " + std::to_string(screen));
    if (screen == kStateTutorial) gTutorial = std::make_shared<TTutorial>();
    gGameState = screen;
    gRunning = true;
    ForgetStopRequest();
    Frames(3);
    ASSERT_EQ(std::raise(signals[i++ % 3]), 0);
    EXPECT_TRUE(StopRequested());
    EXPECT_EQ(RunFrames(), 0);
    EXPECT_EQ(gGameState, screen) << "the game ends at once, not through the closing logo";
  }
  ForgetStopRequest();
}
