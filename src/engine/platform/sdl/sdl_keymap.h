#pragma once
// SDL key symbols and scancodes to the Windows virtual-key codes the game tests, and SDL mouse buttons
// to the game's numbering. Kept free of SDL's headers so the mapping can be checked with plain numbers.
#include <cstdint>

// The virtual-key code for an SDL key symbol (layout dependent) and its scancode (physical position,
// used for letters and digits on layouts whose symbols are not ASCII); 0 for keys the game cannot see.
int VirtualKeyFromSdl(int32_t sym, int scancode);
// The game's button (1 left, 2 right, 3 middle) for SDL's (which numbers the middle 2 and the right 3);
// 0 for buttons the game does not read.
int GameButtonFromSdl(uint8_t sdl_button);
