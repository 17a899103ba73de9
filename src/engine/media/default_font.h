#pragma once
// The built-in 8 x 16 text font of DrawText: one image whose 96 frames are the glyphs of character
// codes 32 to 127, shared by every window; plus the pen walk that places them.
#include <string>

#include "engine/media/image.h"

constexpr int kFontFirstChar = 32;
constexpr int kFontGlyphCount = 96;
constexpr int kFontGlyphWidth = 8;
constexpr int kFontGlyphHeight = 16;

// Made on first use, once per process: flags 0 (not masked, not filtered), handle 0, 0; a set bit
// is opaque white, a clear bit transparent black.
const ImageRef& DefaultFont();

// Calls place(glyph_frame, pen_x, pen_y) for each character of the text the font has, the pen
// starting at (x, y) and moving (advance_x, advance_y) after each of them. Other codes are skipped
// and take no room.
template <typename Place>
void LayoutText(const std::string& text, float x, float y, float advance_x, float advance_y, Place&& place) {
  for (const char ch : text) {
    const int code = static_cast<unsigned char>(ch);
    if (code < kFontFirstChar || code >= kFontFirstChar + kFontGlyphCount) continue;
    place(code - kFontFirstChar, x, y);
    x += advance_x;
    y += advance_y;
  }
}
