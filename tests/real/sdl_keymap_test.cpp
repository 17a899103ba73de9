// SDL's keys and mouse buttons as the game reads them: every key the game tests (Enter on both keyboards,
// Escape, Space, the arrows, both Shift keys told apart) and the renumbering of the mouse buttons. SDL's
// numbers are written out (they are part of SDL's stable interface) so the test needs no SDL header.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/platform/input.h"
#include "engine/platform/sdl/sdl_keymap.h"

namespace {

// An SDL key code made from a scancode, as SDL makes those of keys without a character.
constexpr int32_t FromScancode(int scancode) {
  return scancode | (1 << 30);
}

TEST(SdlKeymap, EveryKeyTheGameReads) {
  struct Key {
    const char* name;
    int32_t sym;
    int scancode;
    int expected;
  };
  const Key keys[] = {
      {"Return", '\r', 40, kKeyEnter},
      {"keypad Enter", FromScancode(88), 88, kKeyEnter},
      {"Escape", 27, 41, kKeyEscape},
      {"Space", ' ', 44, kKeySpace},
      {"Left", FromScancode(80), 80, kKeyLeft},
      {"Right", FromScancode(79), 79, kKeyRight},
      {"left Shift", FromScancode(225), 225, kKeyLeftShift},
      {"right Shift", FromScancode(229), 229, kKeyRightShift},
  };
  for (const Key& key : keys) EXPECT_EQ(VirtualKeyFromSdl(key.sym, key.scancode), key.expected) << key.name;
  // Letters come from the scancode where the layout's symbol is no Latin letter (here a Cyrillic one).
  EXPECT_EQ(VirtualKeyFromSdl(0x444, 4), 'A');
  EXPECT_EQ(VirtualKeyFromSdl('a', 4), 'A');
  // Keys the game never reads give nothing rather than a code it does read.
  EXPECT_EQ(VirtualKeyFromSdl(FromScancode(0x101), 0x101), 0);
}

TEST(SdlKeymap, MouseButtonsRenumbered) {
  // SDL: 1 left, 2 middle, 3 right, 4 and 5 the side buttons.
  EXPECT_EQ(GameButtonFromSdl(1), 1);
  EXPECT_EQ(GameButtonFromSdl(2), 3);
  EXPECT_EQ(GameButtonFromSdl(3), 2);
  EXPECT_EQ(GameButtonFromSdl(4), 0);
  EXPECT_EQ(GameButtonFromSdl(5), 0);
  EXPECT_EQ(GameButtonFromSdl(0), 0);
}

}  // namespace
