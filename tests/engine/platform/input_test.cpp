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

TEST(Input, PadsComeAndGoAtAnyTimeAndAnyOfThemPlays) {
  auto platform = UseHeadlessPlatform();
  EXPECT_EQ(PadCount(), 0);
  platform->PlugPad(3);
  platform->PlugPad(9);
  EXPECT_EQ(PadCount(), 2);
  platform->PressPadButton(3, kPadA);
  EXPECT_EQ(PadDown(kPadA), 1);
  platform->TapPadButton(9, kPadA);
  // Presses of every pad add up; a held button is one press however long it is held.
  EXPECT_EQ(PadPresses(kPadA), 2);
  platform->PressPadButton(3, kPadA);
  EXPECT_EQ(PadPresses(kPadA), 0);
  // Unplugging the pad that held A lets go of it; the other pad plays on.
  platform->UnplugPad(3);
  EXPECT_EQ(PadDown(kPadA), 0);
  EXPECT_EQ(PadCount(), 1);
  platform->PressPadButton(9, kPadStart);
  EXPECT_EQ(PadDown(kPadStart), 1);
  EXPECT_EQ(PadPresses(kPadStart), 1);
  // Out-of-range buttons and pads that speak before they are announced do no harm.
  platform->PressPadButton(9, kPadStickLeft);
  platform->PressPadButton(9, 99);
  platform->PressPadButton(4, kPadB);
  EXPECT_EQ(PadDown(kPadStickLeft), 0);
  EXPECT_EQ(PadDown(kPadB), 1);
  // Losing the focus forgets what pads held, as for keys, but keeps them connected.
  platform->LoseFocus();
  EXPECT_EQ(PadDown(kPadStart), 0);
  EXPECT_EQ(PadCount(), 2);
}

TEST(Input, SticksAndTriggersCountPastTheirDeadZoneWithoutChatter) {
  auto platform = UseHeadlessPlatform();
  platform->PlugPad(1);
  platform->MovePadAxis(1, kPadAxisLeftX, kPadDeadZone - 1);
  EXPECT_EQ(PadDown(kPadStickRight), 0);
  platform->MovePadAxis(1, kPadAxisLeftX, 20000);
  EXPECT_EQ(PadDown(kPadStickRight), 1);
  EXPECT_EQ(PadPresses(kPadStickRight), 1);
  // Sagging a little inside the dead zone keeps it held: no second press.
  platform->MovePadAxis(1, kPadAxisLeftX, kPadDeadZone - 1000);
  platform->MovePadAxis(1, kPadAxisLeftX, 20000);
  EXPECT_EQ(PadPresses(kPadStickRight), 0);
  platform->MovePadAxis(1, kPadAxisLeftX, 0);
  EXPECT_EQ(PadDown(kPadStickRight), 0);
  platform->MovePadAxis(1, kPadAxisLeftX, -32768);
  EXPECT_EQ(PadDown(kPadStickLeft), 1);
  // Up is negative on the stick's y axis.
  platform->MovePadAxis(1, kPadAxisLeftY, -20000);
  EXPECT_EQ(PadDown(kPadStickUp), 1);
  EXPECT_EQ(PadDown(kPadStickDown), 0);
  platform->MovePadAxis(1, kPadAxisRightTrigger, 32767);
  EXPECT_EQ(PadDown(kPadRightTrigger), 1);
  platform->MovePadAxis(1, kPadAxisRightTrigger, 0);
  EXPECT_EQ(PadDown(kPadRightTrigger), 0);
}

TEST(Input, LastDeviceFocusLossesAndWindowKeys) {
  auto platform = UseHeadlessPlatform();
  EXPECT_FALSE(LastInputFromPad());
  platform->PlugPad(1);
  EXPECT_FALSE(LastInputFromPad());  // plugging in is not playing
  platform->TapPadButton(1, kPadX);
  EXPECT_TRUE(LastInputFromPad());
  platform->TapKey(kKeyLeft);
  EXPECT_FALSE(LastInputFromPad());
  platform->MovePadAxis(1, kPadAxisLeftX, 30000);
  EXPECT_TRUE(LastInputFromPad());
  platform->Click(1, 5, 5);
  EXPECT_FALSE(LastInputFromPad());

  platform->LoseFocus();
  platform->Minimise();
  EXPECT_TRUE(WindowMinimised());
  EXPECT_TRUE(TakeFocusLoss());
  EXPECT_TRUE(TakeFocusLoss());
  EXPECT_FALSE(TakeFocusLoss());
  platform->Restore();
  platform->GainFocus();
  EXPECT_FALSE(WindowMinimised());
  EXPECT_FALSE(TakeFocusLoss());

  // F11 (held, repeating) asks once; Alt+Enter asks once and is no Enter.
  platform->PressKey(kKeyF11);
  platform->PushEvent(Repeat(kKeyF11));
  platform->ReleaseKey(kKeyF11);
  platform->PressKey(kKeyRightAlt);
  platform->TapKey(kKeyEnter);
  platform->ReleaseKey(kKeyRightAlt);
  EXPECT_TRUE(TakeFullScreenToggle());
  EXPECT_TRUE(TakeFullScreenToggle());
  EXPECT_FALSE(TakeFullScreenToggle());
  EXPECT_EQ(KeyPresses(kKeyEnter), 0);
  platform->TapKey(kKeyEnter);
  EXPECT_EQ(KeyPresses(kKeyEnter), 1);
  EXPECT_FALSE(TakeFullScreenToggle());
}
