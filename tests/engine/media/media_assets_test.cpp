// Every asset built into the executable registers and decodes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/embedded_table.h"
#include "common/register_assets.h"
#include "engine/media/decoders.h"
#include "engine/media/embedded.h"
#include "engine/media/image.h"

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(MediaAssets, AllTwentyNineAssetsDecode) {
  ClearEmbeddedRegistry();
  ASSERT_EQ(kEmbeddedFileCount, 29);
  EXPECT_EQ(RegisterAssets(), 29);
  EXPECT_EQ(RegisterAssets(), 0);  // registering again changes nothing
  for (int i = 0; i < kEmbeddedFileCount; ++i) {
    const std::string name = kEmbeddedFiles[i].name;
    SCOPED_TRACE(name);
    const std::string url = "incbin::" + name;
    if (EndsWith(name, ".png")) {
      ImageRef image = LoadImage(url, -1);
      ASSERT_TRUE(image);
      EXPECT_EQ(image->pixmaps[0]->format, kFormatRGBA8888);
    } else {
      std::unique_ptr<TRamStream> stream = OpenStream(url);
      ASSERT_TRUE(stream);
      // Read in place: the stream is over the embedded bytes themselves.
      const uint8_t* data = nullptr;
      size_t size = 0;
      ASSERT_TRUE(IncbinLookup(name, &data, &size));
      EXPECT_EQ(data, kEmbeddedFiles[i].begin);
      auto sample = DecodeAudioChain(*stream);
      ASSERT_TRUE(sample);
      EXPECT_GT(sample->length, 0);
      if (EndsWith(name, ".ogg")) {
        EXPECT_EQ(sample->format, kStereo16LE);
        EXPECT_EQ(sample->hertz, 44100);
      }
    }
  }
}

TEST(MediaAssets, FontStripCellsAreCutRowByRow) {
  ClearEmbeddedRegistry();
  RegisterAssets();
  ImageRef whole = LoadImage("incbin::../Images/font.png", -1);
  ImageRef font = LoadStripImage("incbin::../Images/font.png", 32, 32, 0, 90, -1);
  ASSERT_TRUE(whole);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->FrameCount(), 90);
  auto cell = whole->pixmaps[0]->CopyWindow(96, 32, 32, 32);
  ASSERT_TRUE(cell);
  EXPECT_EQ(font->pixmaps[13]->pixels, cell->pixels);
  EXPECT_FALSE(LoadStripImage("incbin::../Images/font.png", 32, 32, 0, 91, -1));
  EXPECT_FALSE(LoadStripImage("incbin::../Images/font.png", 32, 32, 1, 90, -1));
  EXPECT_TRUE(LoadImage("INCBIN::../Images/font.png"));
  EXPECT_FALSE(LoadImage("incbin::../images/font.png"));
}

}  // namespace
