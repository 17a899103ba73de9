#pragma once
// How text maps onto the bitmap font's frames, and the space tracking every layout uses.
#include <string>

// The font has a frame for each code from "!" to "z"; frame = code - kFirstGlyph.
inline constexpr int kFirstGlyph = 33;
inline constexpr int kLastGlyph = 122;
// Layouts admit one code past the font: "{" is read as a character but the font has no frame for it.
inline constexpr int kLastLayoutCode = 123;

// 1-based position of the first space at or after the 0-based index `from`; 0 when there is none.
inline int SpaceFrom(const std::string& text, size_t from) {
  const size_t at = text.find(' ', from);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}
