// Pixel buffers: sizes and the masked copy.
#include <gtest/gtest.h>

#include "engine/media/pixmap.h"

namespace {

TEST(MediaPixmap, CreateAlignsRowsAndRefusesBadSizes) {
  auto rgb = TPixmap::Create(5, 3, kFormatRGB888);
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->pitch, 16);  // 15 bytes rounded up to 4
  EXPECT_EQ(rgb->pixels.size(), 48u);
  EXPECT_EQ(TPixmap::Create(3, 1, kFormatI8)->pitch, 4);
  EXPECT_FALSE(TPixmap::Create(0, 5, kFormatI8));
  EXPECT_FALSE(TPixmap::Create(5, -1, kFormatI8));
  EXPECT_FALSE(TPixmap::Create(kMaxImageDimension + 1, 1, kFormatI8));
  EXPECT_FALSE(TPixmap::Create(4, 4, 99));
  EXPECT_EQ(TPixmap::Create(33, 2, kFormatSolid1)->pitch, 8);  // 5 bytes of bits rounded up to 4
  EXPECT_FALSE(TPixmap::Create(kMaxImageDimension, kMaxImageDimension, kFormatI8));  // too many pixels
}

TEST(MediaPixmap, MaskedCopyHidesMaskColourAndAveragesNeighbours) {
  // 3 x 2 RGB:  black  (90,30,6)  black
  //             (30,60,9) black  black
  auto p = TPixmap::Create(3, 2, kFormatRGB888);
  auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* px = p->Row(y) + x * 3;
    px[0] = r, px[1] = g, px[2] = b;
  };
  set(1, 0, 90, 30, 6);
  set(0, 1, 30, 60, 9);
  auto m = p->MaskedCopy(0, 0, 0);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->format, kFormatRGBA8888);
  uint8_t px[4];
  m->GetRGBA(1, 0, px);
  EXPECT_EQ(px[3], 255);
  EXPECT_EQ(px[0], 90);
  m->GetRGBA(0, 0, px);  // both coloured neighbours: (90+30)/2, (30+60)/2, (6+9)/2 truncated
  EXPECT_EQ(px[0], 60);
  EXPECT_EQ(px[1], 45);
  EXPECT_EQ(px[2], 7);
  EXPECT_EQ(px[3], 0);
  m->GetRGBA(2, 1, px);  // only (1,0) is within reach
  EXPECT_EQ(px[0], 90);
  EXPECT_EQ(px[3], 0);
  // Masked neighbours never count, even after they have been given a colour.
  auto all_black = TPixmap::Create(2, 2, kFormatRGB888)->MaskedCopy(0, 0, 0);
  all_black->GetRGBA(1, 1, px);
  EXPECT_EQ(px[0] + px[1] + px[2] + px[3], 0);
}

}  // namespace
