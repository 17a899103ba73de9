// The image loaders: flags, masking, strips and the handle.
#include <gtest/gtest.h>

#include "engine/media/embedded.h"
#include "engine/media/image.h"
#include "engine/media/media_files.h"

namespace {

using media_files::Bytes;

// An RGB image whose pixel (x, y) is black where `black(x, y)` and (x+1, y+1, 7) elsewhere.
template <class Pred>
Bytes RgbPicture(int w, int h, Pred black) {
  Bytes px;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool b = black(x, y);
      px.push_back(b ? 0 : static_cast<uint8_t>(x + 1));
      px.push_back(b ? 0 : static_cast<uint8_t>(y + 1));
      px.push_back(b ? 0 : 7);
    }
  return px;
}

TEST(MediaImage, DefaultFlagsKeepThePngsOwnAlpha) {
  const Bytes rgba = {1, 2, 3, 0, 4, 5, 6, 200};
  const std::string url = media_files::RegisterCopy("img/rgba.png", media_files::MakePng(2, 1, 4, rgba));
  ImageRef image = LoadImage(url, -1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->flags, 3);
  EXPECT_EQ(image->handle_x, 0.0f);
  EXPECT_EQ(image->handle_y, 0.0f);
  ASSERT_EQ(image->FrameCount(), 1);
  EXPECT_EQ(image->pixmaps[0]->format, kFormatRGBA8888);
  EXPECT_EQ(Bytes(image->pixmaps[0]->Row(0), image->pixmaps[0]->Row(0) + 8), rgba);
  ASSERT_EQ(image->seqs.size(), 1u);
  EXPECT_EQ(image->seqs[0], 0);
  ASSERT_EQ(image->frames.size(), 1u);
  EXPECT_FALSE(image->frames[0]);

  EXPECT_FALSE(LoadImage("incbin::img/missing.png"));
  EXPECT_FALSE(LoadImage(std::shared_ptr<TPixmap>()));
}

TEST(MediaImage, MaskingMakesBlackTransparentOnlyWhenAsked) {
  const std::string url = media_files::RegisterCopy(
      "img/rgb.png",
      media_files::MakePng(3, 3, 3, RgbPicture(3, 3, [](int x, int y) { return x == 1 && y == 1; })));
  uint8_t px[4];
  ImageRef masked = LoadImage(url, 1);
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->pixmaps[0]->format, kFormatRGBA8888);
  masked->pixmaps[0]->GetRGBA(1, 1, px);
  EXPECT_EQ(px[3], 0);
  EXPECT_EQ(px[0], (1 + 2 + 3 + 1 + 3 + 1 + 2 + 3) / 8);  // the neighbours' average red
  EXPECT_EQ(px[1], (1 + 1 + 1 + 2 + 2 + 3 + 3 + 3) / 8);
  EXPECT_EQ(px[2], 7);
  masked->pixmaps[0]->GetRGBA(0, 0, px);
  EXPECT_EQ(px[3], 255);
  EXPECT_EQ(px[0], 1);

  ImageRef plain = LoadImage(url, 0);
  ASSERT_TRUE(plain);
  plain->pixmaps[0]->GetRGBA(1, 1, px);
  EXPECT_EQ(px[0] + px[1] + px[2], 0);
  EXPECT_EQ(px[3], 255);
}

TEST(MediaImage, StripsAreCutRowByRowAndRefusedWhenTooSmall) {
  // 320 x 288 in 32 x 32 cells: 10 across, 9 down. Each cell's first pixel holds its number.
  Bytes px(320 * 288 * 4, 255);
  for (int c = 0; c < 90; ++c) px[((c / 10) * 32 * 320 + (c % 10) * 32) * 4] = static_cast<uint8_t>(c);
  const std::string url = media_files::RegisterCopy("img/font.png", media_files::MakePng(320, 288, 4, px));
  ImageRef strip = LoadStripImage(url, 32, 32, 0, 90, -1);
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->FrameCount(), 90);
  EXPECT_EQ(strip->width, 32);
  EXPECT_EQ(strip->seqs.size(), 90u);
  EXPECT_EQ(strip->pixmaps[13]->Row(0)[0], 13);
  EXPECT_EQ(strip->pixmaps[89]->Row(0)[0], 89);
  ImageRef tail = LoadStripImage(url, 32, 32, 80, 10, -1);
  ASSERT_TRUE(tail);
  EXPECT_EQ(tail->pixmaps[0]->Row(0)[0], 80);

  // Every whole cell at once, from one decode.
  int cells = 0;
  ImageRef all = LoadAllCells(url, 32, 32, &cells, -1);
  ASSERT_TRUE(all);
  EXPECT_EQ(cells, 90);
  EXPECT_EQ(all->pixmaps[13]->pixels, strip->pixmaps[13]->pixels);
  EXPECT_FALSE(LoadAllCells(url, 400, 32, &cells, -1));
  EXPECT_EQ(cells, 0);
  EXPECT_FALSE(LoadAllCells("incbin::img/missing.png", 32, 32, &cells, -1));
  EXPECT_EQ(cells, -1);

  // Once its textures exist an image keeps only its alpha, and decodes the same colours again from
  // where it came from: the right cells of the right picture.
  const std::vector<uint8_t> cell_82 = tail->pixmaps[2]->pixels;
  ASSERT_TRUE(tail->DropColour());
  EXPECT_EQ(tail->pixmaps[2]->format, kFormatSolid1);
  EXPECT_EQ(tail->pixmaps[2]->pixels.size(), 32u * 4);  // a bit a pixel: 32 rows of 4 bytes
  EXPECT_EQ(tail->pixmaps[2]->Row(0)[0], 0xff);
  std::shared_ptr<const TImage> colour = tail->Colour();
  ASSERT_TRUE(colour);
  EXPECT_EQ(colour->pixmaps[2]->pixels, cell_82);
  EXPECT_EQ(colour->pixmaps[0]->Row(0)[0], 80);
  // Setting a frame brings the colours back for good: the image no longer matches its source.
  tail->SetPixmap(1, TPixmap::Create(32, 32, kFormatRGBA8888));
  EXPECT_FALSE(tail->colour_dropped);
  EXPECT_EQ(tail->pixmaps[2]->pixels, cell_82);
  EXPECT_FALSE(tail->DropColour());
  // Pixels handed over in memory have nowhere to come from again: they stay.
  ImageRef held = LoadImage(TPixmap::Create(4, 4, kFormatRGBA8888), -1);
  EXPECT_FALSE(held->DropColour());
  EXPECT_EQ(held->pixmaps[0]->format, kFormatRGBA8888);

  EXPECT_FALSE(LoadStripImage(url, 32, 32, 0, 91, -1));
  EXPECT_FALSE(LoadStripImage(url, 32, 32, 1, 90, -1));
  EXPECT_FALSE(LoadStripImage(url, 32, 32, -1, 2, -1));
  EXPECT_FALSE(LoadStripImage(url, 32, 32, 0, 0, -1));
  EXPECT_FALSE(LoadStripImage(url, 0, 32, 0, 1, -1));
  EXPECT_FALSE(LoadStripImage(url, 32, -32, 0, 1, -1));
  EXPECT_FALSE(LoadStripImage(url, 32, 32, 0x7FFFFFFF, 0x7FFFFFFF, -1));

  // The right and bottom remainders are ignored: 100 x 40 holds three 32 x 32 cells.
  const std::string odd =
      media_files::RegisterCopy("img/odd.png", media_files::MakePng(100, 40, 4, Bytes(16000, 1)));
  EXPECT_TRUE(LoadStripImage(odd, 32, 32, 0, 3, -1));
  EXPECT_FALSE(LoadStripImage(odd, 32, 32, 0, 4, -1));
}

TEST(MediaImage, HandleCentringAndAutoMidHandle) {
  auto image = CreateImage(229, 69, 1, 0);
  ASSERT_TRUE(image);
  CentreHandle(image);
  EXPECT_EQ(image->handle_x, 114.5f);
  EXPECT_EQ(image->handle_y, 34.5f);

  auto pixmap = TPixmap::Create(10, 6, kFormatRGBA8888);
  AutoMidHandle(true);
  ImageRef centred = LoadImage(pixmap, -1);
  AutoMidHandle(false);
  ImageRef plain = LoadImage(pixmap, -1);
  EXPECT_EQ(centred->handle_x, 5.0f);
  EXPECT_EQ(centred->handle_y, 3.0f);
  EXPECT_EQ(plain->handle_x, 0.0f);
  EXPECT_EQ(plain->pixmaps[0], pixmap);  // used as it is, not copied

  EXPECT_FALSE(CreateImage(0, 4, 1, 0));
  EXPECT_FALSE(CreateImage(4, 4, 0, 0));
  auto three = CreateImage(4, 4, 3, -1);
  ASSERT_TRUE(three);
  EXPECT_EQ(three->FrameCount(), 3);
  EXPECT_EQ(three->flags, 3);
}

TEST(MediaImage, SetPixmapMasksBuffersWithoutAlphaAndDropsTheTexture) {
  auto image = CreateImage(2, 1, 2, kImageMasked);
  image->seqs[1] = 5;
  auto rgb = TPixmap::Create(2, 1, kFormatRGB888);
  rgb->Row(0)[3] = 50;
  image->SetPixmap(1, rgb);
  EXPECT_EQ(image->seqs[1], 0);
  EXPECT_NE(image->pixmaps[1], rgb);
  EXPECT_EQ(image->pixmaps[1]->format, kFormatRGBA8888);
  image->SetPixmap(7, rgb);  // ignored, not a crash
  image->SetPixmap(-1, rgb);
}

}  // namespace
