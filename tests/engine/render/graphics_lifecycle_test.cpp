// Opening, replacing and closing windows: the graphics generation, textures and input.
#include <gtest/gtest.h>

#include "engine/media/image.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/platform/input.h"
#include "engine/render/graphics.h"

namespace {

TEST(GraphicsLifecycle, SecondOpenReplacesTheWindowAndRemakesTextures) {
  auto platform = UseHeadlessPlatform();
  SetAppTitle("Vextoron");
  auto image = CreateImage(16, 16, 3, kDefaultImageFlags);
  ASSERT_TRUE(image);
  auto first = OpenGraphics(340, 100, 0, 60, 0);
  ASSERT_TRUE(first);
  const int generation = GraphicsGeneration();
  DrawImage(image, 1, 1, 0);
  EXPECT_EQ(image->seqs[0], generation);
  EXPECT_EQ(image->seqs[2], generation);  // the whole image at once
  auto made = image->frames[0];
  ASSERT_TRUE(made);

  auto second = OpenGraphics(800, 600, 0, 60, 0);
  ASSERT_TRUE(second);
  EXPECT_EQ(GraphicsGeneration(), generation + 1);
  EXPECT_FALSE(first->backend);  // the first window was closed
  EXPECT_EQ(CurrentGraphics(), second.get());
  DrawImage(image, 2, 2, 0);
  EXPECT_EQ(image->seqs[0], generation + 1);
  EXPECT_NE(image->frames[0], made);
  ASSERT_FALSE(platform->CurrentDraws().empty());
  EXPECT_EQ(platform->CurrentDraws().back().x, 2);

  ASSERT_EQ(platform->Windows().size(), 2u);
  EXPECT_EQ(platform->Windows()[0].title, "Vextoron");
  EXPECT_EQ(platform->Windows()[1].width, 800);

  // Closing keeps the generation, so textures made for it stay good for the next window.
  CloseGraphics(second);
  EXPECT_EQ(CurrentGraphics(), nullptr);
  EXPECT_EQ(GraphicsGeneration(), generation + 1);
  ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
  EXPECT_EQ(GraphicsGeneration(), generation + 1);
  CloseGraphics(second);  // closing twice is harmless
}

TEST(GraphicsLifecycle, FailedOpenReturnsNullAndLeavesNoWindow) {
  auto platform = UseHeadlessPlatform();
  ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
  platform->FailNextGraphics();
  EXPECT_FALSE(OpenGraphics(800, 600, 16, 60, 0));
  EXPECT_EQ(CurrentGraphics(), nullptr);
  EXPECT_FALSE(OpenGraphics(0, 600, 0, 60, 0));
  EXPECT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
}

TEST(GraphicsLifecycle, InputIsClearedWhenAWindowOpensOrCloses) {
  auto platform = UseHeadlessPlatform();
  auto chooser = OpenGraphics(340, 100, 0, 60, 0);
  ASSERT_TRUE(chooser);
  platform->PressKey(kKeySpace);
  platform->Click(1, 10, 10);
  PollInput();
  CloseGraphics(chooser);
  EXPECT_EQ(KeyDown(kKeySpace), 0);
  EXPECT_EQ(ButtonPresses(1), 0);

  ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
  platform->PressKey(kKeyEscape);
  PollInput();
  ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
  EXPECT_EQ(KeyPresses(kKeyEscape), 0);
  EXPECT_EQ(KeyDown(kKeyEscape), 0);
}

TEST(GraphicsLifecycle, FullScreenCentresThePointerAndFlipsWaitForTheRetrace) {
  auto platform = UseHeadlessPlatform();
  ASSERT_TRUE(OpenGraphics(800, 600, 16, 60, 0));
  EXPECT_EQ(platform->Windows().back().depth, 16);
  const int64_t start = platform->Millis();
  Flip(-1);
  Flip(-1);
  EXPECT_EQ(platform->VsyncFlips(), 2);
  EXPECT_EQ(platform->Millis(), start);
  Flip(0);
  EXPECT_EQ(platform->Flips(), 3);
  EXPECT_EQ(platform->VsyncFlips(), 2);
}

}  // namespace
