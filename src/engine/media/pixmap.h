#pragma once
// TPixmap: a block of decoded pixels in one of the loaders' six formats, or the one-bit solid mask an
// image keeps for collisions; rows aligned to 4 bytes.
#include <cstdint>
#include <memory>
#include <vector>

enum PixelFormat : int {
  kFormatI8 = 1,        // intensity
  kFormatA8 = 2,        // alpha
  kFormatBGR888 = 3,    // blue, green, red
  kFormatRGB888 = 4,    // red, green, blue
  kFormatBGRA8888 = 5,  // blue, green, red, alpha
  kFormatRGBA8888 = 6,  // red, green, blue, alpha
  kFormatSolid1 = 7,    // one bit a pixel, low bit first: alpha 255 where set, 0 where clear
};

int BytesPerPixel(int format);  // 0 for the one-bit format
bool FormatHasAlpha(int format);

// Largest width or height the loaders accept; bigger images are refused, not allocated.
constexpr int kMaxImageDimension = 8192;
// Largest pixel count (width x height) of one buffer: 128 MB in RGBA.
constexpr int64_t kMaxImagePixels = 32LL * 1024 * 1024;

// The bit of pixel x in a kFormatSolid1 row, and setting it: the layout lives here alone.
inline bool SolidBit(const uint8_t* row, int x) {
  return (row[x >> 3] >> (x & 7)) & 1;
}
inline void SetSolidBit(uint8_t* row, int x) {
  row[x >> 3] |= static_cast<uint8_t>(1u << (x & 7));
}

struct TPixmap {
  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  int pitch = 0;
  int format = 0;

  // A zeroed buffer; null for a bad format or a size outside 1..kMaxImageDimension.
  static std::shared_ptr<TPixmap> Create(int width, int height, int format);

  uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * pitch; }
  const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }

  // A copy of the sub-rectangle (own pixels, same format); null if it does not lie inside.
  std::shared_ptr<TPixmap> CopyWindow(int x, int y, int w, int h) const;
  // An RGBA copy in which pixels of the mask colour become transparent, coloured with the average of
  // their non-mask 3 x 3 neighbours (so filtering does not bleed black into edges).
  std::shared_ptr<TPixmap> MaskedCopy(int mask_r, int mask_g, int mask_b) const;
  // The pixel at (x, y) as red, green, blue, alpha (alpha 255 for formats without alpha).
  void GetRGBA(int x, int y, uint8_t out[4]) const;
};
