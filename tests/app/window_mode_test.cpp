#include "app/window_mode.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include "app/main_loop.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/platform/input.h"
#include "engine/platform/stop_signals.h"
#include "engine/render/graphics.h"

namespace {

class WindowModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform = UseHeadlessPlatform();
    SetAppTitle("VEXTORON");
    chooser = OpenGraphics(TWindowMode::kWidth, TWindowMode::kHeight, 0, 60, 0);
    ASSERT_NE(chooser, nullptr);
  }

  // Clicks with `button` at (x, y) and runs one chooser frame; the choice, or -9 when none was made.
  int ClickAt(int x, int y, int button = 1) {
    platform->Click(button, x, y);
    return StepResult();
  }
  int StepResult() {
    int result = -9;
    const bool done = TWindowMode::Step("VEXTORON", "Written by: The VEXTORON project", &result);
    return done ? result : -9;
  }

  std::shared_ptr<HeadlessPlatform> platform;
  GraphicsRef chooser;
};

}  // namespace

TEST_F(WindowModeTest, ButtonsIncludeTheirBorderLinesAndNothingBetweenThem) {
  EXPECT_EQ(ClickAt(10, 60), TWindowMode::C_Window);
  EXPECT_EQ(ClickAt(110, 72), TWindowMode::C_Window);
  EXPECT_EQ(ClickAt(50, 84), TWindowMode::C_Window);
  for (int x = 111; x <= 119; ++x) EXPECT_EQ(ClickAt(x, 72), -9) << "x " << x;
  EXPECT_EQ(ClickAt(50, 85), -9);
  EXPECT_EQ(ClickAt(50, 59), -9);
  EXPECT_EQ(ClickAt(120, 72), TWindowMode::C_FullScreen);
  EXPECT_EQ(ClickAt(330, 84), TWindowMode::C_Cancelled);
}

TEST_F(WindowModeTest, AnyMouseButtonPicksAndEnterWithoutAFocusDoesNothing) {
  EXPECT_EQ(ClickAt(60, 70, 3), TWindowMode::C_Window);
  EXPECT_EQ(ClickAt(160, 70, 2), TWindowMode::C_FullScreen);
  // The mouse over a button does not give it the keyboard's focus.
  platform->MoveMouse(60, 70);
  platform->TapKey(kKeyEnter);
  EXPECT_EQ(StepResult(), -9);
  // A click away from the buttons is used up and does not pick the button the mouse reaches later.
  EXPECT_EQ(ClickAt(5, 5), -9);
  platform->MoveMouse(60, 70);
  EXPECT_EQ(StepResult(), -9);
}

TEST_F(WindowModeTest, CloseBoxActsAsQuit) {
  platform->RequestClose();
  EXPECT_EQ(StepResult(), TWindowMode::C_Cancelled);
}

// The focus frame drawn by the last step (after its Cls), as the x of the button it sits in; -1: none.
int FocusedButtonX(const std::vector<DrawRecord>& draws) {
  size_t start = 0;
  for (size_t i = 0; i < draws.size(); ++i) {
    if (draws[i].kind == DrawRecord::kCls) start = i;
  }
  for (size_t i = start; i < draws.size(); ++i) {
    const DrawRecord& r = draws[i];
    if (r.kind == DrawRecord::kLine && r.red == 0 && r.green == 0 && r.blue == 0)
      return static_cast<int>(r.x) - 3;
  }
  return -1;
}

TEST_F(WindowModeTest, KeysMoveAVisibleFocusThatEnterPicksAndEscapeQuits) {
  EXPECT_EQ(StepResult(), -9);
  EXPECT_EQ(FocusedButtonX(platform->CurrentDraws()), -1);
  // The first Right lands on Windowed; Right and Tab walk on, wrapping; Left and Shift+Tab walk back.
  const std::pair<std::vector<int>, int> walks[] = {
      {{kKeyRight}, 10}, {{kKeyTab}, 120},  {{kKeyRight}, 230},
      {{kKeyRight}, 10}, {{kKeyLeft}, 230}, {{kKeyLeft}, 120},
  };
  for (const auto& [keys, x] : walks) {
    for (int key : keys) platform->TapKey(key);
    EXPECT_EQ(StepResult(), -9);
    EXPECT_EQ(FocusedButtonX(platform->CurrentDraws()), x);
  }
  platform->PressKey(kKeyLeftShift);
  platform->TapKey(kKeyTab);
  EXPECT_EQ(StepResult(), -9);
  EXPECT_EQ(FocusedButtonX(platform->CurrentDraws()), 10);
  platform->ReleaseKey(kKeyLeftShift);
  platform->TapKey(kKeyRight);
  platform->TapKey(kKeyEnter);
  EXPECT_EQ(StepResult(), TWindowMode::C_FullScreen);

  platform->TapKey(kKeyEscape);
  EXPECT_EQ(StepResult(), TWindowMode::C_Cancelled);
}

TEST_F(WindowModeTest, DrawsCentredLinesAndRaisedButtonsThatDarkenUnderTheMouse) {
  platform->MoveMouse(160, 70);
  StepResult();
  const auto& draws = platform->CurrentDraws();
  int title_x = -1, credit_x = -1, highlighted = 0, plain = 0;
  for (const DrawRecord& r : draws) {
    if (r.kind == DrawRecord::kText && r.text == "VEXTORON") title_x = static_cast<int>(r.x);
    if (r.kind == DrawRecord::kText && r.text == "Written by: The VEXTORON project")
      credit_x = static_cast<int>(r.x);
    if (r.kind == DrawRecord::kText && r.text == "Full Screen") {
      EXPECT_FLOAT_EQ(r.x, 120 + (100 - 88) / 2);
      EXPECT_FLOAT_EQ(r.y, 66);
    }
    if (r.kind == DrawRecord::kRect) {
      if (r.red == 175) {
        ++highlighted;
        EXPECT_FLOAT_EQ(r.x, 120);
      }
      if (r.red == 220) ++plain;
    }
  }
  EXPECT_EQ(title_x, (340 - 8 * 8) / 2);
  EXPECT_EQ(credit_x, (340 - 8 * 32) / 2);
  EXPECT_EQ(highlighted, 1);
  EXPECT_EQ(plain, 2);
}

TEST_F(WindowModeTest, GetModeOpensItsOwnWindowAndClosesItAgain) {
  CloseGraphics(chooser);
  platform->Click(1, 20, 70);
  EXPECT_EQ(TWindowMode::GetMode("VEXTORON", CreditLine()), TWindowMode::C_Window);
  ASSERT_EQ(platform->Windows().size(), 2u);
  EXPECT_EQ(platform->Windows()[1].width, 340);
  EXPECT_EQ(platform->Windows()[1].height, 100);
  EXPECT_EQ(platform->Windows()[1].title, "VEXTORON");
  EXPECT_EQ(CurrentGraphics(), nullptr);
  EXPECT_EQ(CreditLine(), "Written by: The VEXTORON project");

  platform->FailNextGraphics();
  EXPECT_EQ(TWindowMode::GetMode("VEXTORON", CreditLine()), TWindowMode::C_NoWindow);

  // A stop signal while the chooser waits for a click is the same as Quit.
  InstallStopSignals();
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_EQ(TWindowMode::GetMode("VEXTORON", CreditLine()), TWindowMode::C_Cancelled);
  ForgetStopRequest();
}

TEST(WindowModeExit, QuitInTheChooserEndsTheProcessWithCodeZeroBeforeTheGameWindow) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        auto platform = UseHeadlessPlatform();
        platform->Click(1, 280, 72);
        MainLoop();
        std::exit(5);  // MainLoop must not come back after Quit
      },
      ::testing::ExitedWithCode(0), "");
}
