#pragma once
// SDL key symbols and scancodes to the Windows virtual-key codes the game tests. Kept free of SDL's
// headers so the mapping can be checked with plain numbers.
#include <cstdint>

// The virtual-key code for an SDL key symbol (layout dependent) and its scancode (physical position,
// used for letters and digits on layouts whose symbols are not ASCII); 0 for keys the game cannot see.
int VirtualKeyFromSdl(int32_t sym, int scancode);
