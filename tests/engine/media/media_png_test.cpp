// PNG decoding: colour types, bit depths, transparency and damaged files.
#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/media/decoders.h"
#include "engine/media/media_files.h"

namespace {

using media_files::Bytes;

std::shared_ptr<TPixmap> Decode(const Bytes& bytes) {
  TRamStream stream(bytes.data(), bytes.size());
  return DecodeImageChain(stream);
}

TEST(MediaPng, ColourTypesGiveTheirFormats) {
  const Bytes rgba = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  auto p = Decode(media_files::MakePng(3, 1, 4, rgba));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->format, kFormatRGBA8888);
  EXPECT_EQ(p->width, 3);
  EXPECT_EQ(p->height, 1);
  EXPECT_EQ(p->pitch, 12);
  EXPECT_EQ(Bytes(p->Row(0), p->Row(0) + 12), rgba);

  auto rgb = Decode(media_files::MakePng(3, 2, 3, Bytes(18, 7)));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->format, kFormatRGB888);
  EXPECT_EQ(rgb->pitch, 12);  // 9 rounded up to 4
  EXPECT_EQ(rgb->Row(1)[8], 7);

  auto grey = Decode(media_files::MakePng(2, 2, 1, {1, 2, 3, 4}));
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->format, kFormatI8);
  EXPECT_EQ(grey->Row(1)[1], 4);

  // Grey with alpha arrives as RGBA with the grey in all three colour bytes.
  auto ga = Decode(media_files::MakePng(2, 1, 2, {200, 17, 5, 255}));
  ASSERT_TRUE(ga);
  EXPECT_EQ(ga->format, kFormatRGBA8888);
  EXPECT_EQ(Bytes(ga->Row(0), ga->Row(0) + 8), (Bytes{200, 200, 200, 17, 5, 5, 5, 255}));
}

TEST(MediaPng, SixteenBitAndPaletteTransparencyAreExpanded) {
  auto wide = Decode(media_files::MakePng(2, 1, 3, {255, 128, 0, 1, 2, 3}, true));
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->format, kFormatRGB888);
  EXPECT_EQ(Bytes(wide->Row(0), wide->Row(0) + 6), (Bytes{255, 128, 0, 1, 2, 3}));

  const Bytes palette = {255, 0, 0, 255, 0, 0, 255, 0};  // opaque red, transparent blue
  auto pal = Decode(media_files::MakePalettePng(2, 2, palette, {0, 1, 1, 0}));
  ASSERT_TRUE(pal);
  EXPECT_EQ(pal->format, kFormatRGBA8888);
  uint8_t px[4];
  pal->GetRGBA(1, 0, px);
  EXPECT_EQ(px[3], 0);
  pal->GetRGBA(1, 1, px);
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[3], 255);
}

TEST(MediaPng, DamagedOrForeignDataIsNotDecoded) {
  const Bytes good = media_files::MakePng(8, 8, 4, Bytes(256, 99));
  ASSERT_TRUE(Decode(good));
  for (size_t cut : {size_t{0}, size_t{7}, size_t{8}, size_t{20}, good.size() / 2, good.size() - 13}) {
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + cut))) << "cut at " << cut;
  }
  Bytes corrupt = good;
  corrupt[40] ^= 0xFF;  // inside IDAT: CRC mismatch
  EXPECT_FALSE(Decode(corrupt));
  EXPECT_FALSE(Decode(media_files::MakeWav({})));

  // A header that claims a huge image is refused before any pixels are allocated.
  Bytes huge = good;
  huge[16] = 0x00, huge[17] = 0x01, huge[18] = 0x00, huge[19] = 0x00;  // width 65536
  const uLong crc = crc32(0, huge.data() + 12, 17);                    // keep the header chunk itself valid
  for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  EXPECT_FALSE(Decode(huge));
  huge[16] = 0x00, huge[17] = 0x00, huge[18] = 0x20, huge[19] = 0x00;  // 8192 wide: allowed, but the
  huge[20] = 0x00, huge[21] = 0x00, huge[22] = 0x20, huge[23] = 0x00;  // 8192 x 8192 pixels are not
  const uLong crc2 = crc32(0, huge.data() + 12, 17);
  for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc2 >> (24 - 8 * i));
  EXPECT_FALSE(Decode(huge));
}

}  // namespace
