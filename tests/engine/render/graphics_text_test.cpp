// The built-in font and the pen walk of DrawText.
#include <gtest/gtest.h>

#include <vector>

#include "engine/media/default_font.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/render/graphics.h"

namespace {

struct Placed {
  int glyph;
  float x, y;
};

std::vector<Placed> Layout(const std::string& text, float x, float y, float ax, float ay) {
  std::vector<Placed> out;
  LayoutText(text, x, y, ax, ay, [&](int glyph, float gx, float gy) { out.push_back({glyph, gx, gy}); });
  return out;
}

TEST(GraphicsText, CodesOutsideTheFontTakeNoRoom) {
  // A, e acute (Latin-1 233), B: B follows A directly.
  auto placed = Layout(
      "A\xe9"
      "B",
      0, 0, 8, 0);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0].glyph, 'A' - 32);
  EXPECT_EQ(placed[0].x, 0);
  EXPECT_EQ(placed[1].glyph, 'B' - 32);
  EXPECT_EQ(placed[1].x, 8);

  // Control codes and DEL's neighbours: 31 skipped, 127 is the font's last glyph.
  placed = Layout("\x1f\x7f\x80", 10, 20, 16, 0);
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_EQ(placed[0].glyph, 95);
  EXPECT_EQ(placed[0].x, 10);
  EXPECT_EQ(placed[0].y, 20);

  // Rotated text walks along the turned x axis.
  placed = Layout("ab", 5, 5, 0, 8);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[1].x, 5);
  EXPECT_EQ(placed[1].y, 13);
}

TEST(GraphicsText, FontIsWhiteOnTransparent) {
  const ImageRef& font = DefaultFont();
  ASSERT_TRUE(font);
  EXPECT_EQ(font.get(), DefaultFont().get());
  EXPECT_EQ(font->FrameCount(), 96);
  EXPECT_EQ(font->width, 8);
  EXPECT_EQ(font->height, 16);
  EXPECT_EQ(font->flags, 0);
  EXPECT_EQ(font->handle_x, 0);
  // Space is empty; 'A' has opaque white pixels and nothing in between white and transparent.
  int space_set = 0, a_set = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint8_t p[4];
      font->pixmaps[0]->GetRGBA(x, y, p);
      space_set += p[3] != 0;
      font->pixmaps['A' - 32]->GetRGBA(x, y, p);
      if (p[3] != 0) {
        ++a_set;
        EXPECT_EQ(p[0] & p[1] & p[2] & p[3], 255);
      } else {
        EXPECT_EQ(p[0] | p[1] | p[2], 0);
      }
    }
  }
  EXPECT_EQ(space_set, 0);
  EXPECT_GT(a_set, 10);
}

TEST(GraphicsText, DrawTextIsRecordedAtItsPosition) {
  auto platform = UseHeadlessPlatform();
  ASSERT_TRUE(OpenGraphics(340, 100, 0, 60, 0));
  SetColor(0, 0, 0);
  DrawText("Quit", 12, 34);
  ASSERT_EQ(platform->CurrentDraws().size(), 1u);
  const DrawRecord& r = platform->CurrentDraws()[0];
  EXPECT_EQ(r.kind, DrawRecord::kText);
  EXPECT_EQ(r.text, "Quit");
  EXPECT_EQ(r.x, 12);
  EXPECT_EQ(r.y, 34);
  EXPECT_EQ(r.red, 0);
  // The glyphs got their textures for this generation, all from one go.
  EXPECT_EQ(DefaultFont()->seqs['Q' - 32], GraphicsGeneration());
  EXPECT_EQ(DefaultFont()->seqs[0], GraphicsGeneration());
}

}  // namespace
