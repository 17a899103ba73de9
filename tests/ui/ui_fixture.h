#pragma once
// A headless window and a stand-in font (90 frames of 32 x 32) for the text widget tests.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/media/image.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/render/graphics.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform = UseHeadlessPlatform();
    window = OpenGraphics(800, 600, 0, 60, 0);
    ASSERT_NE(window, nullptr);
    font = CreateImage(32, 32, 90, kDefaultImageFlags);
    ASSERT_NE(font, nullptr);
  }

  // The glyph draws recorded so far in the frame being drawn.
  std::vector<DrawRecord> Glyphs() const {
    std::vector<DrawRecord> glyphs;
    for (const DrawRecord& r : platform->CurrentDraws())
      if (r.kind == DrawRecord::kImage && r.image == font.get()) glyphs.push_back(r);
    return glyphs;
  }

  std::shared_ptr<HeadlessPlatform> platform;
  GraphicsRef window;
  ImageRef font;
};
