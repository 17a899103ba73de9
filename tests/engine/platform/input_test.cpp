#include "engine/platform/input.h"

#include <gtest/gtest.h>

#include "engine/platform/headless/headless_platform.h"

namespace {
InputEvent Repeat(int code) {
  return {InputEvent::kKeyDown, code, 0, 0, true};
}
}  // namespace

TEST(Input, HeldKeyCountsOncePerPressWhateverTheRepeats) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(kKeySpace);
  for (int i = 0; i < 20; ++i) platform->PushEvent(Repeat(kKeySpace));
  EXPECT_EQ(KeyPresses(kKeySpace), 1);
  EXPECT_EQ(KeyDown(kKeySpace), 1);
  // Many frames later, still held and still repeating.
  for (int frame = 0; frame < 5; ++frame) {
    platform->PushEvent(Repeat(kKeySpace));
    EXPECT_EQ(KeyPresses(kKeySpace), 0);
    EXPECT_EQ(KeyDown(kKeySpace), 1);
  }
  // A second key-down without a release in between (a lost key-up) is not a new press either.
  platform->PressKey(kKeySpace);
  EXPECT_EQ(KeyPresses(kKeySpace), 0);
  platform->ReleaseKey(kKeySpace);
  EXPECT_EQ(KeyDown(kKeySpace), 0);
}

TEST(Input, PressesAccumulateUntilReadAndReadingResets) {
  auto platform = UseHeadlessPlatform();
  platform->TapKey(kKeyEscape);
  platform->TapKey(kKeyEscape);
  EXPECT_EQ(KeyPresses(kKeyEscape), 2);
  EXPECT_EQ(KeyPresses(kKeyEscape), 0);

  // A press nobody reads for a while stays counted; reading another key does not touch it.
  platform->TapKey(kKeyEnter);
  EXPECT_EQ(KeyPresses(kKeyEscape), 0);
  EXPECT_EQ(KeyDown(kKeyEnter), 0);
  EXPECT_EQ(KeyPresses(kKeyEnter), 1);
}

TEST(Input, FocusChangeClearsHeldKeysAndCounts) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(kKeyLeft);
  platform->TapKey(kKeyEscape);
  EXPECT_EQ(KeyDown(kKeyLeft), 1);
  platform->PushEvent({InputEvent::kFocusLost, 0, 0, 0, false});
  platform->PushEvent({InputEvent::kFocusGained, 0, 0, 0, false});
  EXPECT_EQ(KeyDown(kKeyLeft), 0);
  EXPECT_EQ(KeyPresses(kKeyEscape), 0);
  // The key-up that arrives later changes nothing; a fresh press counts again.
  platform->ReleaseKey(kKeyLeft);
  platform->PressKey(kKeyLeft);
  EXPECT_EQ(KeyDown(kKeyLeft), 1);
  EXPECT_EQ(KeyPresses(kKeyLeft), 1);
}

TEST(Input, LeftAndRightModifiersAreSeparate) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(kKeyLeftShift);
  EXPECT_EQ(KeyDown(kKeyLeftShift), 1);
  EXPECT_EQ(KeyDown(kKeyRightShift), 0);
  platform->PressKey(kKeyRightShift);
  platform->ReleaseKey(kKeyLeftShift);
  EXPECT_EQ(KeyDown(kKeyLeftShift), 0);
  EXPECT_EQ(KeyDown(kKeyRightShift), 1);
}

TEST(Input, OutOfRangeCodesAreHarmless) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(256);
  platform->PressKey(-1);
  platform->PressButton(0);
  platform->PressButton(4);
  EXPECT_EQ(KeyPresses(256), 0);
  EXPECT_EQ(KeyPresses(-1), 0);
  EXPECT_EQ(KeyDown(1000000), 0);
  EXPECT_EQ(ButtonPresses(0), 0);
  EXPECT_EQ(ButtonPresses(4), 0);
  EXPECT_EQ(ButtonDown(-7), 0);
  EXPECT_EQ(KeyPresses(255), 0);
}

TEST(Input, MouseButtonsAndPointer) {
  auto platform = UseHeadlessPlatform();
  EXPECT_EQ(PointerX(), 0);
  EXPECT_EQ(PointerY(), 0);
  platform->Click(1, 120, 340);
  platform->PressButton(2);
  EXPECT_EQ(PointerX(), 120);
  EXPECT_EQ(PointerY(), 340);
  EXPECT_EQ(ButtonPresses(1), 1);
  EXPECT_EQ(ButtonPresses(1), 0);
  EXPECT_EQ(ButtonDown(1), 0);
  EXPECT_EQ(ButtonDown(2), 1);
  EXPECT_EQ(ButtonPresses(3), 0);
  platform->MoveMouse(799, 599);
  EXPECT_EQ(PointerX(), 799);
  EXPECT_EQ(PointerY(), 599);
}

TEST(Input, FlushPressesKeepsHeldKeys) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(kKeyRight);
  platform->Click(1, 10, 10);
  FlushPresses();
  EXPECT_EQ(KeyPresses(kKeyRight), 0);
  EXPECT_EQ(ButtonPresses(1), 0);
  EXPECT_EQ(KeyDown(kKeyRight), 1);
}

TEST(Input, CloseRequestIsTakenOnceAndPointerVisibilityReachesThePlatform) {
  auto platform = UseHeadlessPlatform();
  EXPECT_FALSE(TakeCloseRequest());
  platform->RequestClose();
  EXPECT_TRUE(TakeCloseRequest());
  EXPECT_FALSE(TakeCloseRequest());

  EXPECT_TRUE(platform->PointerVisible());
  EXPECT_EQ(HidePointer(), 0);
  EXPECT_FALSE(platform->PointerVisible());
  ShowPointer();
  EXPECT_TRUE(platform->PointerVisible());
}

TEST(Input, ResetForgetsEverything) {
  auto platform = UseHeadlessPlatform();
  platform->PressKey(kKeySpace);
  platform->MoveMouse(50, 60);
  EXPECT_EQ(KeyDown(kKeySpace), 1);
  ResetEngine();
  EXPECT_EQ(KeyDown(kKeySpace), 0);
  EXPECT_EQ(KeyPresses(kKeySpace), 0);
  EXPECT_EQ(PointerX(), 0);
}
