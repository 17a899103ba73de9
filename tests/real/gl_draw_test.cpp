// Pixels drawn by the OpenGL renderer: placement, transforms, lines, blend modes and colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/media/default_font.h"
#include "engine/render/gl/gl_stats.h"
#include "real/gl_fixture.h"

namespace {

using GlDraw = GlWindowTest;

TEST_F(GlDraw, MidHandledImageCoversItsQuadUnderScaleAndRotation) {
  ASSERT_TRUE(Open());
  ImageRef image = Solid(64, 64, 255, 255, 255);
  ASSERT_TRUE(image);
  // Top row red, so the rotation shows where the top edge went.
  for (int x = 0; x < 64; ++x)
    image->pixmaps[0]->Row(0)[x * 4 + 1] = image->pixmaps[0]->Row(0)[x * 4 + 2] = 0;
  CentreHandle(image);

  Cls();
  DrawImage(image, 100, 100);
  ASSERT_TRUE(Read());
  EXPECT_FALSE(Lit(67, 100));
  EXPECT_TRUE(Lit(68, 100));
  EXPECT_TRUE(Lit(131, 100));
  EXPECT_FALSE(Lit(132, 100));
  EXPECT_FALSE(Lit(100, 67));
  EXPECT_EQ(At(100, 68).g, 0);  // the red top row
  EXPECT_TRUE(Lit(100, 131));
  EXPECT_FALSE(Lit(100, 132));

  Cls();
  SetScale(2, 2);
  DrawImage(image, 100, 100);
  ASSERT_TRUE(Read());
  EXPECT_FALSE(Lit(35, 100));
  EXPECT_TRUE(Lit(36, 100));
  EXPECT_TRUE(Lit(163, 100));
  EXPECT_FALSE(Lit(164, 100));

  Cls();
  SetScale(1, 1);
  SetRotation(90);
  DrawImage(image, 100, 100);
  ASSERT_TRUE(Read());
  EXPECT_EQ(At(131, 100).r, 255);  // the top edge is now on the right
  EXPECT_EQ(At(131, 100).g, 0);
  EXPECT_EQ(At(100, 68).g, 255);  // and no longer on top
  EXPECT_EQ(At(68, 100).g, 255);
  EXPECT_FALSE(Lit(132, 100));
  EXPECT_FALSE(Lit(67, 100));
  Flip(0);
}

TEST_F(GlDraw, RectPivotsAboutItsCorner) {
  ASSERT_TRUE(Open());
  Cls();
  SetRotation(90);
  DrawRect(10, 10, 20, 5);
  ASSERT_TRUE(Read());
  // Downwards from (10, 10) and to its left.
  EXPECT_TRUE(Lit(5, 10));
  EXPECT_TRUE(Lit(9, 29));
  EXPECT_FALSE(Lit(4, 10));
  EXPECT_FALSE(Lit(10, 10));
  EXPECT_FALSE(Lit(9, 30));
  EXPECT_FALSE(Lit(9, 9));
}

TEST_F(GlDraw, LinesEndOnTheirLastPixelOnlyWhenAsked) {
  ASSERT_TRUE(Open());
  Cls();
  DrawLine(10, 20, 30, 20, 1);
  DrawLine(10, 40, 30, 40, 0);
  DrawLine(50, 10, 50, 30, 1);
  ASSERT_TRUE(Read());
  EXPECT_FALSE(Lit(9, 20));
  EXPECT_TRUE(Lit(10, 20));
  EXPECT_TRUE(Lit(30, 20));
  EXPECT_FALSE(Lit(31, 20));
  EXPECT_FALSE(Lit(20, 21));
  EXPECT_TRUE(Lit(10, 40));
  EXPECT_TRUE(Lit(29, 40));
  EXPECT_FALSE(Lit(30, 40));
  EXPECT_TRUE(Lit(50, 10));
  EXPECT_TRUE(Lit(50, 30));
  EXPECT_FALSE(Lit(50, 31));
  EXPECT_FALSE(Lit(51, 20));
}

TEST_F(GlDraw, ColourIsClampedWhenDrawnButKeptAsGiven) {
  ASSERT_TRUE(Open());
  Cls();
  SetColor(300, -5, 128);
  DrawRect(0, 0, 4, 4);
  ASSERT_TRUE(Read());
  EXPECT_EQ(At(1, 1).r, 255);
  EXPECT_EQ(At(1, 1).g, 0);
  EXPECT_EQ(At(1, 1).b, 128);
  int r, g, b;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r, 300);
  EXPECT_EQ(g, -5);

  // Clear colour too.
  SetClsColor(-1, 999, 7);
  Cls();
  ASSERT_TRUE(Read());
  EXPECT_EQ(At(400, 300).r, 0);
  EXPECT_EQ(At(400, 300).g, 255);
  EXPECT_EQ(At(400, 300).b, 7);
}

TEST_F(GlDraw, BlendModes) {
  ASSERT_TRUE(Open());
  ImageRef white = Solid(16, 16, 255, 255, 255);
  ImageRef half = Solid(16, 16, 255, 255, 255, 128);
  ImageRef faint = Solid(16, 16, 255, 255, 255, 127);
  Cls();
  // Mask: alpha 0.3 hides the whole image; alpha 1 draws it opaque.
  SetAlpha(0.3f);
  DrawImage(white, 0, 0);
  SetBlend(kBlendAlpha);
  DrawImage(white, 20, 0);
  SetBlend(kBlendMask);
  SetAlpha(1);
  DrawImage(half, 40, 0);   // alpha 128: drawn, replacing
  DrawImage(faint, 60, 0);  // alpha 127: not drawn
  ASSERT_TRUE(Read());
  EXPECT_FALSE(Lit(5, 5));
  EXPECT_NEAR(At(25, 5).r, 76, 2);
  EXPECT_EQ(At(45, 5).r, 255);
  EXPECT_FALSE(Lit(65, 5));

  // Light adds, shade multiplies, solid replaces, unknown modes act as solid.
  SetClsColor(100, 100, 100);
  Cls();
  SetColor(50, 200, 255);
  SetBlend(kBlendLight);
  DrawRect(0, 0, 8, 8);
  SetBlend(kBlendShade);
  SetColor(128, 128, 128);
  DrawRect(10, 0, 8, 8);
  SetBlend(kBlendSolid);
  SetAlpha(0.1f);
  DrawRect(20, 0, 8, 8);
  SetBlend(42);
  DrawRect(30, 0, 8, 8);
  ASSERT_TRUE(Read());
  EXPECT_EQ(At(2, 2).r, 150);
  EXPECT_EQ(At(2, 2).g, 255);
  EXPECT_NEAR(At(12, 2).r, 50, 1);
  EXPECT_EQ(At(22, 2).r, 128);
  EXPECT_EQ(At(32, 2).r, 128);
}

TEST_F(GlDraw, FilteredFramesOfOneAtlasDoNotBleed) {
  ASSERT_TRUE(Open());
  ImageRef strip = CreateImage(8, 8, 2, kImageFiltered);
  ASSERT_TRUE(strip);
  Fill(*strip->pixmaps[0], 255, 0, 0, 255);
  Fill(*strip->pixmaps[1], 0, 255, 0, 255);
  Cls();
  SetScale(8, 8);
  DrawImage(strip, 0, 0, 0);
  DrawImage(strip, 100, 0, 1);
  ASSERT_TRUE(Read());
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(At(i, i).g, 0) << i;
    EXPECT_EQ(At(100 + i, i).r, 0) << i;
  }
  Flip(0);
}

// Sprites drawn as the outlines of their visible pixels must look exactly as when drawn whole, under
// every blend mode, scale, rotation and filter.
TEST_F(GlDraw, OutlinedSpritesLookAsWholeOnes) {
  ASSERT_TRUE(Open());
  auto shapes = [](int flags) {
    ImageRef image = CreateImage(48, 40, 3, flags);
    for (int f = 0; f < 3; ++f) {
      TPixmap& p = *image->pixmaps[f];
      for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 48; ++x) {
          uint8_t* px = p.Row(y) + x * 4;
          const float d = std::hypot(x - 30.0f + f * 6, y - 12.0f - f * 5);
          const bool line = f == 2 && std::abs(x - y) <= 1;
          px[0] = static_cast<uint8_t>(x * 5), px[1] = static_cast<uint8_t>(y * 6), px[2] = 90;
          px[3] = line ? 255 : d < 6 ? 255 : d < 10 ? static_cast<uint8_t>((10 - d) * 60) : 0;
        }
      }
    }
    CentreHandle(image);
    return image;
  };
  const ImageRef images[2] = {shapes(kImageFiltered), shapes(0)};
  auto scene = [&] {
    SetClsColor(20, 40, 60);
    Cls();
    int i = 0;
    for (int blend : {kBlendMask, kBlendSolid, kBlendAlpha, kBlendLight, kBlendShade}) {
      SetBlend(blend);
      for (const ImageRef& image : images) {
        for (int f = 0; f < 3; ++f, ++i) {
          SetScale(0.6f + 0.35f * (i % 5), 0.6f + 0.35f * (i % 5));
          SetRotation(37.0f * i);
          SetAlpha(0.4f + 0.1f * (i % 6));
          DrawImage(image, 60.0f + (i % 10) * 75, 60.0f + (i / 10) * 110, f);
        }
      }
    }
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
    SetBlend(kBlendSolid);
  };
  GlSetOutlines(false);
  scene();
  ASSERT_TRUE(Read());
  const std::vector<uint8_t> whole = pixels_;
  Flip(0);
  GlSetOutlines(true);
  scene();
  ASSERT_TRUE(Read());
  ASSERT_EQ(pixels_.size(), whole.size());
  int off_by_more_than_one = 0, worst = 0;
  for (size_t k = 0; k < whole.size(); ++k) {
    const int d = std::abs(pixels_[k] - whole[k]);
    off_by_more_than_one += d > 1;
    worst = std::max(worst, d);
  }
  // The same texels are sampled. Only rounding differs, as another triangle interpolates the texture
  // coordinates: by one step in a colour, or rarely by one texel's colour step (at most 6 in these
  // ramps) where a nearest texel is picked on its edge.
  EXPECT_LE(off_by_more_than_one, 8);
  EXPECT_LE(worst, 6);
  Flip(0);
}

TEST_F(GlDraw, TextSkipsCodesOutsideTheFont) {
  ASSERT_TRUE(Open());
  Cls();
  DrawText(
      "A\xe9"
      "B",
      0, 0);
  ASSERT_TRUE(Read());
  const ImageRef& font = DefaultFont();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint8_t a[4], b[4];
      font->pixmaps['A' - 32]->GetRGBA(x, y, a);
      font->pixmaps['B' - 32]->GetRGBA(x, y, b);
      EXPECT_EQ(Lit(x, y), a[3] != 0) << x << "," << y;
      EXPECT_EQ(Lit(8 + x, y), b[3] != 0) << x << "," << y;
    }
  }
  // Scaled text: 16 x 32 glyphs 16 pixels apart.
  Cls();
  SetScale(2, 2);
  DrawText("BB", 0, 0);
  ASSERT_TRUE(Read());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(Lit(x, y), Lit(16 + x, y));
  }
}

}  // namespace
