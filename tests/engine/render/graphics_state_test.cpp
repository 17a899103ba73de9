// Drawing state of a window and what the drawing operations hand to the renderer.
#include <gtest/gtest.h>

#include "engine/media/image.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/render/graphics.h"

namespace {

class GraphicsStateTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_ = UseHeadlessPlatform();
    graphics_ = OpenGraphics(800, 600, 0, 60, 0);
    ASSERT_TRUE(graphics_);
  }
  std::shared_ptr<HeadlessPlatform> platform_;
  GraphicsRef graphics_;
};

TEST_F(GraphicsStateTest, NewWindowStartsFromTheDefaults) {
  SetColor(10, 20, 30);
  SetBlend(kBlendAlpha);
  SetScale(2, 3);
  graphics_ = OpenGraphics(800, 600, 0, 60, 0);
  ASSERT_TRUE(graphics_);
  const TDrawState& s = CurrentGraphics()->state;
  EXPECT_EQ(s.color_red, 255);
  EXPECT_EQ(s.color_green, 255);
  EXPECT_EQ(s.color_blue, 255);
  EXPECT_EQ(s.color_alpha, 1.0f);
  EXPECT_EQ(s.clscolor_red + s.clscolor_green + s.clscolor_blue, 0);
  EXPECT_EQ(s.blend_mode, kBlendMask);
  EXPECT_EQ(s.tform_rot, 0);
  EXPECT_EQ(s.tform_scale_x, 1);
  EXPECT_EQ(s.tform_scale_y, 1);
  EXPECT_EQ(s.viewport_w, 800);
  EXPECT_EQ(s.viewport_h, 600);
  EXPECT_EQ(s.g_width, 800);
  EXPECT_EQ(s.g_height, 600);
  EXPECT_EQ(GetBlend(), kBlendMask);
  EXPECT_EQ(GetAlpha(), 1.0f);
}

TEST_F(GraphicsStateTest, ColourAndAlphaAreStoredAsGiven) {
  SetColor(300, -5, 128);
  int r, g, b;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r, 300);
  EXPECT_EQ(g, -5);
  EXPECT_EQ(b, 128);
  SetAlpha(1.7f);
  EXPECT_EQ(GetAlpha(), 1.7f);

  DrawRect(1, 2, 3, 4);
  const DrawRecord& rect = platform_->CurrentDraws().back();
  EXPECT_EQ(rect.kind, DrawRecord::kRect);
  EXPECT_EQ(rect.red, 300);
  EXPECT_EQ(rect.green, -5);
  EXPECT_EQ(rect.alpha, 1.7f);
  EXPECT_EQ(rect.x2, 3);
  EXPECT_EQ(rect.y2, 4);
}

TEST_F(GraphicsStateTest, ScaleAndRotationMakeTheTransform) {
  SetScale(2, 3);
  float sx, sy;
  GetScale(&sx, &sy);
  EXPECT_EQ(sx, 2);
  EXPECT_EQ(sy, 3);
  const TDrawState& s = CurrentGraphics()->state;
  EXPECT_FLOAT_EQ(s.tform_ix, 2);
  EXPECT_FLOAT_EQ(s.tform_iy, 0);
  EXPECT_FLOAT_EQ(s.tform_jx, 0);
  EXPECT_FLOAT_EQ(s.tform_jy, 3);

  // Clockwise on screen: the local x axis turns to point down.
  SetRotation(90);
  EXPECT_EQ(GetRotation(), 90);
  EXPECT_EQ(s.tform_ix, 0);
  EXPECT_EQ(s.tform_iy, -3);
  EXPECT_EQ(s.tform_jx, 2);
  EXPECT_EQ(s.tform_jy, 0);

  SetScale(1, 1);
  SetRotation(30);
  EXPECT_NEAR(s.tform_ix, 0.8660254f, 1e-6);
  EXPECT_NEAR(s.tform_iy, -0.5f, 1e-6);
  EXPECT_NEAR(s.tform_jx, 0.5f, 1e-6);
  EXPECT_NEAR(s.tform_jy, 0.8660254f, 1e-6);
  SetRotation(-270);
  EXPECT_EQ(s.tform_ix, 0);
  EXPECT_EQ(s.tform_jx, 1);
}

TEST_F(GraphicsStateTest, DrawsAreRecordedWithTheirState) {
  auto image = CreateImage(64, 64, 2, 0);
  ASSERT_TRUE(image);
  SetBlend(kBlendAlpha);
  SetAlpha(0.25f);
  SetRotation(45);
  Cls();
  DrawImage(image, 100, 120, 1);
  DrawLine(5, 6, 15, 6, 1);
  DrawLine(5, 6, 15, 6, 0);
  const auto& draws = platform_->CurrentDraws();
  ASSERT_EQ(draws.size(), 5u);
  EXPECT_EQ(draws[0].kind, DrawRecord::kCls);
  EXPECT_EQ(draws[1].kind, DrawRecord::kImage);
  EXPECT_EQ(draws[1].image, image.get());
  EXPECT_EQ(draws[1].frame, 1);
  EXPECT_EQ(draws[1].x, 100);
  EXPECT_EQ(draws[1].y, 120);
  EXPECT_EQ(draws[1].blend, kBlendAlpha);
  EXPECT_EQ(draws[1].alpha, 0.25f);
  EXPECT_EQ(draws[1].rotation, 45);
  EXPECT_EQ(draws[2].kind, DrawRecord::kLine);
  EXPECT_EQ(draws[2].x2, 15);
  EXPECT_EQ(draws[2].y2, 6);
  // The end pixel of a rotated line is plotted where the line really ends.
  EXPECT_EQ(draws[3].kind, DrawRecord::kPlot);
  EXPECT_NEAR(draws[3].x, 5 + 10 * 0.70710678f, 1e-4);
  EXPECT_NEAR(draws[3].y, 6 + 10 * 0.70710678f, 1e-4);
  EXPECT_EQ(draws[4].kind, DrawRecord::kLine);

  Flip(1);
  EXPECT_TRUE(platform_->CurrentDraws().empty());
  EXPECT_EQ(platform_->LastFrame().size(), 5u);
  EXPECT_EQ(platform_->VsyncFlips(), 1);
}

TEST_F(GraphicsStateTest, BadImagesAndFramesDrawNothing) {
  auto image = CreateImage(8, 8, 2, 0);
  DrawImage(nullptr, 0, 0, 0);
  DrawImage(image, 0, 0, 2);
  DrawImage(image, 0, 0, -1);
  EXPECT_TRUE(platform_->CurrentDraws().empty());
  EXPECT_EQ(FramesOverlap(image, 0, 0, 5, image, 0, 0, 0), 0);
  EXPECT_EQ(FramesOverlap(nullptr, 0, 0, 0, image, 0, 0, 0), 0);

  // Without a window nothing draws and nothing breaks.
  CloseGraphics(graphics_);
  EXPECT_EQ(CurrentGraphics(), nullptr);
  DrawImage(image, 0, 0, 0);
  DrawText("x", 0, 0);
  Cls();
  Flip(1);
  EXPECT_EQ(platform_->Flips(), 0);
}

TEST_F(GraphicsStateTest, CentreHandle) {
  auto image = CreateImage(229, 69, 1, 0);
  ASSERT_TRUE(image);
  CentreHandle(image);
  EXPECT_EQ(image->handle_x, 114.5f);
  EXPECT_EQ(image->handle_y, 34.5f);
}

}  // namespace
