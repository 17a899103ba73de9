#include "engine/media/default_font.h"

#include <cstdint>
#include <memory>

namespace {

// 16 rows of 96 bytes: byte i of row y is row y of glyph i, bit b is column b (LSB leftmost).
constexpr uint8_t kFontBits[kFontGlyphHeight * kFontGlyphCount] = {
#include "engine/media/default_font_bits.inc"
};

ImageRef MakeFont() {
  auto font = std::make_shared<TImage>();
  font->width = kFontGlyphWidth;
  font->height = kFontGlyphHeight;
  font->flags = 0;
  font->frames.resize(kFontGlyphCount);
  font->seqs.assign(kFontGlyphCount, 0);
  for (int glyph = 0; glyph < kFontGlyphCount; ++glyph) {
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->width = kFontGlyphWidth;
    pixmap->height = kFontGlyphHeight;
    pixmap->pitch = kFontGlyphWidth * 4;
    pixmap->format = kFormatRGBA8888;
    pixmap->pixels.assign(static_cast<size_t>(pixmap->pitch) * kFontGlyphHeight, 0);
    for (int y = 0; y < kFontGlyphHeight; ++y) {
      const uint8_t bits = kFontBits[y * kFontGlyphCount + glyph];
      uint8_t* row = pixmap->Row(y);
      for (int x = 0; x < kFontGlyphWidth; ++x) {
        if (bits & (1u << x)) {
          for (int c = 0; c < 4; ++c) row[x * 4 + c] = 255;
        }
      }
    }
    font->pixmaps.push_back(std::move(pixmap));
  }
  return font;
}

}  // namespace

const ImageRef& DefaultFont() {
  static const ImageRef font = MakeFont();
  return font;
}
