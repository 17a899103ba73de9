// The pixel-exact overlap test of two placed frames.
#include <gtest/gtest.h>

#include <functional>

#include "engine/media/overlap.h"

namespace {

// A one-frame RGBA image whose pixel (x, y) has the alpha alpha(x, y).
ImageRef Picture(int w, int h, const std::function<int(int, int)>& alpha) {
  auto pixmap = TPixmap::Create(w, h, kFormatRGBA8888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixmap->Row(y)[x * 4 + 3] = static_cast<uint8_t>(alpha(x, y));
  return LoadImage(pixmap, 0);
}

ImageRef Opaque(int w, int h) {
  return Picture(w, h, [](int, int) { return 255; });
}

int Unscaled(const ImageRef& a, float ax, float ay, const ImageRef& b, float bx, float by) {
  return FramesOverlapTransformed(*a, ax, ay, 0, *b, bx, by, 0, 1, 0, 0, 1);
}

int Scaled(float s, const ImageRef& a, float ax, float ay, const ImageRef& b, float bx, float by) {
  return FramesOverlapTransformed(*a, ax, ay, 0, *b, bx, by, 0, s, 0, 0, s);
}

TEST(MediaOverlap, OnlyPixelsSolidInBothCount) {
  // Left half solid, right half solid; alpha 127 is not solid, 128 is.
  ImageRef left = Picture(4, 4, [](int x, int) { return x < 2 ? 128 : 127; });
  ImageRef right = Picture(4, 4, [](int x, int) { return x >= 2 ? 255 : 0; });
  EXPECT_EQ(Unscaled(left, 0, 0, right, 0, 0), 0);   // rectangles overlap, solid parts do not
  EXPECT_EQ(Unscaled(left, 0, 0, right, -1, 0), 1);  // right's column 2 lands on left's column 1
  EXPECT_EQ(Unscaled(left, 0, 0, right, 0, 0) + Unscaled(right, 0, 0, left, 0, 0), 0);
  EXPECT_EQ(Unscaled(right, 0, 0, left, 1, 0), 1);           // symmetric
  EXPECT_EQ(Unscaled(left, 0, 0, Opaque(4, 4), 100, 0), 0);  // apart

  // Frames without alpha are solid everywhere.
  ImageRef rgb = LoadImage(TPixmap::Create(2, 2, kFormatRGB888), 0);
  EXPECT_EQ(Unscaled(rgb, 0, 0, right, -2, 0), 1);
  EXPECT_EQ(Unscaled(rgb, 0, 0, right, 0, 0), 0);
}

TEST(MediaOverlap, SixtyFourSquaresTouchingOnTheLastRow) {
  ImageRef a = Opaque(64, 64);
  ImageRef b = Opaque(64, 64);
  EXPECT_EQ(Unscaled(a, 0, 0, b, 0, 63), 1);
  EXPECT_EQ(Unscaled(a, 0, 0, b, 0, 64), 0);
  EXPECT_EQ(Unscaled(a, 0, 0, b, 63, 63), 1);  // the single corner pixel
  ImageRef no_last_row = Picture(64, 64, [](int, int y) { return y == 63 ? 0 : 255; });
  EXPECT_EQ(Unscaled(no_last_row, 0, 0, b, 0, 63), 0);
  EXPECT_EQ(Unscaled(no_last_row, 0, 0, b, 0, 62), 1);
}

TEST(MediaOverlap, HandlesPlaceFramesAsDrawingDoes) {
  ImageRef centred = Opaque(3, 3);
  CentreHandle(centred);  // 1.5, 1.5: at (10, 10) the frame covers pixels 8..10
  ImageRef dot = Opaque(1, 1);
  EXPECT_EQ(Unscaled(centred, 10, 10, dot, 8, 8), 1);
  EXPECT_EQ(Unscaled(centred, 10, 10, dot, 10, 10), 1);
  EXPECT_EQ(Unscaled(centred, 10, 10, dot, 11, 10), 0);
  EXPECT_EQ(Unscaled(centred, 10, 10, dot, 7, 10), 0);
}

TEST(MediaOverlap, ScalingChangesTheAnswerAsItChangesTheDrawing) {
  ImageRef a = Opaque(4, 4);
  ImageRef b = Opaque(4, 4);
  // Unscaled a covers 0..3 and b 7..10; doubled, a covers 0..7 and b 14..21.
  EXPECT_EQ(Unscaled(a, 0, 0, b, 7, 0), 0);
  EXPECT_EQ(Scaled(2, a, 0, 0, b, 7, 0), 1);
  EXPECT_EQ(Scaled(2, a, 0, 0, b, 8, 0), 0);

  // Doubled, each texel covers 2 x 2 pixels: the solid texel (1, 0) of `dots` covers pixels 2..3 of rows
  // 0..1, and a doubled 1 x 1 dot at (x, y) covers pixels x..x+1 of rows y..y+1.
  ImageRef dots = Picture(4, 4, [](int x, int y) { return x == 1 && y == 0 ? 255 : 0; });
  ImageRef dot = Opaque(1, 1);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 0, 0), 0);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 1, 0), 1);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 3, 1), 1);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 4, 0), 0);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 2, 2), 0);
  EXPECT_EQ(Unscaled(dots, 0, 0, dot, 2, 0), 0);
  EXPECT_EQ(Scaled(2, dots, 0, 0, dot, 2, 0), 1);
  // Half size: the image shrinks towards its handle.
  EXPECT_EQ(Scaled(0.5f, a, 0, 0, b, 2, 0), 0);
  EXPECT_EQ(Scaled(0.5f, a, 0, 0, b, 1, 0), 1);
  // A flattened transform draws nothing.
  EXPECT_EQ(Scaled(0, a, 0, 0, b, 0, 0), 0);
}

TEST(MediaOverlap, RotationTurnsTheTopEdgeToTheRight) {
  // Rotation by 90 degrees clockwise: (px, py) -> (-py, px).
  ImageRef bar = Picture(8, 8, [](int, int y) { return y == 0 ? 255 : 0; });
  ImageRef dot = Opaque(1, 1);
  auto rotated = [&](float bx, float by) {
    return FramesOverlapTransformed(*bar, 10, 10, 0, *dot, bx, by, 0, 0, -1, 1, 0);
  };
  // The bar becomes column 9, rows 10..17; a rotated 1 x 1 dot at (x, y) covers pixel (x - 1, y).
  EXPECT_EQ(rotated(10, 12), 1);
  EXPECT_EQ(rotated(10, 17), 1);
  EXPECT_EQ(rotated(10, 18), 0);
  EXPECT_EQ(rotated(11, 12), 0);
  EXPECT_EQ(rotated(9, 12), 0);
}

// A sparse pseudo-random pattern, the same on every run.
ImageRef Speckled(int w, int h, uint32_t seed) {
  return Picture(w, h, [seed](int x, int y) {
    const uint32_t v = (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u) ^ seed;
    return (v * 2654435761u >> 24) < 20 ? 255 : 0;
  });
}

// The image's solid pixels as one-bit frames, as an image keeps them once its colours are let go.
ImageRef AsBits(const ImageRef& image) {
  const TPixmap& p = *image->pixmaps[0];
  auto bits = TPixmap::Create(p.width, p.height, kFormatSolid1);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.Row(y)[x * 4 + 3] >= 128) bits->Row(y)[x / 8] |= static_cast<uint8_t>(1 << (x % 8));
  return LoadImage(bits, 0);
}

// The image's pixels turned by 180 degrees or enlarged `scale` times, as a plain image.
ImageRef Turned(const ImageRef& image) {
  const TPixmap& p = *image->pixmaps[0];
  return Picture(p.width, p.height,
                 [&p](int x, int y) { return p.Row(p.height - 1 - y)[(p.width - 1 - x) * 4 + 3]; });
}
ImageRef Enlarged(const ImageRef& image, int scale) {
  const TPixmap& p = *image->pixmaps[0];
  return Picture(p.width * scale, p.height * scale,
                 [&p, scale](int x, int y) { return p.Row(y / scale)[x / scale * 4 + 3]; });
}

TEST(MediaOverlap, TransformedFramesAgreeWithTheSamePixelsDrawnPlainly) {
  ImageRef a = Speckled(13, 9, 1);
  ImageRef b = Speckled(7, 11, 2);
  ImageRef a_turned = Turned(a), b_turned = Turned(b);
  ImageRef a_big = Enlarged(a, 2), b_big = Enlarged(b, 2);
  ImageRef a_bits = AsBits(a), b_bits = AsBits(b);
  // A window cut from one-bit rows starts on any bit.
  ImageRef a_cut = LoadImage(a->pixmaps[0]->CopyWindow(3, 2, 9, 6), 0);
  ImageRef a_bits_cut = LoadImage(a_bits->pixmaps[0]->CopyWindow(3, 2, 9, 6), 0);
  int hits = 0;
  for (int dy = -12; dy <= 12; ++dy) {
    for (int dx = -14; dx <= 14; ++dx) {
      SCOPED_TRACE(testing::Message() << "offset " << dx << ", " << dy);
      // Turned by 180 degrees about its handle at (x, y), a w x h frame covers x - w .. x - 1.
      const int turned = FramesOverlapTransformed(*a, 20, 20, 0, *b, 20 + dx, 20 + dy, 0, -1, 0, 0, -1);
      EXPECT_EQ(turned, Unscaled(a_turned, 20 - 13, 20 - 9, b_turned, 20 + dx - 7, 20 + dy - 11));
      const int doubled = Scaled(2, a, 20, 20, b, 20 + dx, 20 + dy);
      EXPECT_EQ(doubled, Unscaled(a_big, 20, 20, b_big, 20 + dx, 20 + dy));
      EXPECT_EQ(turned,
                FramesOverlapTransformed(*a_bits, 20, 20, 0, *b_bits, 20 + dx, 20 + dy, 0, -1, 0, 0, -1));
      EXPECT_EQ(doubled, Scaled(2, a_bits, 20, 20, b_bits, 20 + dx, 20 + dy));
      EXPECT_EQ(Unscaled(a, 20, 20, b, 20 + dx, 20 + dy), Unscaled(a_bits, 20, 20, b, 20 + dx, 20 + dy));
      EXPECT_EQ(Unscaled(a_cut, 20, 20, b, 20 + dx, 20 + dy),
                Unscaled(a_bits_cut, 20, 20, b_bits, 20 + dx, 20 + dy));
      hits += turned + doubled;
    }
  }
  EXPECT_GT(hits, 20);  // the sweep really meets solid pixels
}

TEST(MediaOverlap, BadFramesAndPositionsGiveNothing) {
  ImageRef a = Opaque(4, 4);
  EXPECT_EQ(FramesOverlapTransformed(*a, 0, 0, 1, *a, 0, 0, 0, 1, 0, 0, 1), 0);
  EXPECT_EQ(FramesOverlapTransformed(*a, 0, 0, -1, *a, 0, 0, 0, 1, 0, 0, 1), 0);
  EXPECT_EQ(FramesOverlapTransformed(*a, 1e30f, 0, 0, *a, 1e30f, 0, 0, 1, 0, 0, 1), 0);
  EXPECT_EQ(FramesOverlapTransformed(*a, 0, 0, 0, *a, 0, 0, 0, 1e30f, 0, 0, 1e30f), 0);
}

}  // namespace
