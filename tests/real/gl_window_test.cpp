// Real windows: replacing and closing them keeps images drawable; full screen letterboxes.
#include <gtest/gtest.h>

#include "common/register_assets.h"
#include "real/gl_fixture.h"

namespace {

using GlWindow = GlWindowTest;

TEST_F(GlWindow, ImagesStayDrawableAcrossWindows) {
  ImageRef image = Solid(32, 32, 0, 255, 0);
  ASSERT_TRUE(image);
  auto chooser = Open(340, 100);
  ASSERT_TRUE(chooser);
  Cls();
  DrawImage(image, 10, 10);
  DrawText("Quit", 100, 10);
  ASSERT_TRUE(Read());
  EXPECT_EQ(width_, 340);
  EXPECT_EQ(At(20, 20).g, 255);
  Flip(-1);

  // Closing keeps textures (same generation): text and image draw in the next window.
  CloseGraphics(chooser);
  ASSERT_TRUE(Open());
  Cls();
  DrawImage(image, 10, 10);
  DrawText("Quit", 100, 10);
  ASSERT_TRUE(Read());
  EXPECT_EQ(width_, 800);
  EXPECT_EQ(At(20, 20).g, 255);
  int lit = 0;
  for (int y = 10; y < 26; ++y)
    for (int x = 100; x < 132; ++x) lit += Lit(x, y);
  EXPECT_GT(lit, 20);
  Flip(1);

  // Replacing the window starts a new generation; the image's texture is made again.
  const int generation = GraphicsGeneration();
  ASSERT_TRUE(Open());
  EXPECT_EQ(GraphicsGeneration(), generation + 1);
  Cls();
  DrawImage(image, 10, 10);
  ASSERT_TRUE(Read());
  EXPECT_EQ(At(20, 20).g, 255);
  EXPECT_EQ(image->seqs[0], GraphicsGeneration());
  Flip(0);

  // A loaded strip lets its colours go once drawn and decodes them again for the next window's
  // textures: the picture is the same in both.
  RegisterAssets();
  ImageRef strip = LoadStripImage("incbin::../Images/explode_2.png", 64, 64, 0, 16, -1);
  ASSERT_TRUE(strip);
  std::vector<Rgb> before;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {
      ASSERT_TRUE(Open());
    }
    Cls();
    for (int f = 0; f < 16; ++f) DrawImage(strip, static_cast<float>(f % 8) * 70, f < 8 ? 0.0f : 70.0f, f);
    ASSERT_TRUE(Read());
    EXPECT_TRUE(strip->colour_dropped);
    std::vector<Rgb> seen;
    for (int y = 0; y < 140; ++y)
      for (int x = 0; x < 560; ++x) seen.push_back(At(x, y));
    if (pass == 0) before = seen;
    int changed = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
      changed += seen[i].r != before[i].r || seen[i].g != before[i].g || seen[i].b != before[i].b;
    }
    EXPECT_EQ(changed, 0) << "the picture changed when the colours were decoded again";
    Flip(0);
  }
}

TEST_F(GlWindow, FullScreenKeepsTheAspectInsideBars) {
  ASSERT_TRUE(Open(800, 600, 16));
  SetClsColor(0, 0, 255);
  Cls();
  SetColor(255, 0, 0);
  DrawRect(0, 0, 400, 300);
  ASSERT_TRUE(Read());
  // The picture keeps 4:3: under a 1280 x 1024 screen it is 1280 x 960, the top-left quarter red.
  EXPECT_EQ(width_ * 3, height_ * 4);
  EXPECT_EQ(At(width_ / 4, height_ / 4).r, 255);
  EXPECT_EQ(At(width_ * 3 / 4, height_ * 3 / 4).b, 255);
  EXPECT_EQ(At(width_ / 2 + 2, height_ / 4).r, 0);
  Flip(-1);
}

}  // namespace
