// Fitting the 800 x 600 picture to a full-screen surface and mapping the pointer back.
#include "engine/render/letterbox.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphicsLetterbox, WideScreenGetsBarsLeftAndRight) {
  const Letterbox box = FitLetterbox(800, 600, 1920, 1080);
  EXPECT_EQ(box.w, 1440);
  EXPECT_EQ(box.h, 1080);
  EXPECT_EQ(box.x, 240);
  EXPECT_EQ(box.y, 0);
  // Corners and centre of the picture map back to picture pixels.
  EXPECT_FLOAT_EQ((240 - box.offset_x) * box.scale_x, 0);
  EXPECT_FLOAT_EQ((1680 - box.offset_x) * box.scale_x, 800);
  EXPECT_FLOAT_EQ((960 - box.offset_x) * box.scale_x, 400);
  EXPECT_FLOAT_EQ((540 - box.offset_y) * box.scale_y, 300);
}

TEST(GraphicsLetterbox, TallAndExactSurfaces) {
  Letterbox box = FitLetterbox(800, 600, 1280, 1024);
  EXPECT_EQ(box.w, 1280);
  EXPECT_EQ(box.h, 960);
  EXPECT_EQ(box.y, 32);
  EXPECT_FLOAT_EQ((32 + 480 - box.offset_y) * box.scale_y, 300);

  box = FitLetterbox(800, 600, 800, 600);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.w, 800);
  EXPECT_FLOAT_EQ(box.scale_x, 1);

  // A surface smaller than the picture shrinks it.
  box = FitLetterbox(800, 600, 400, 400);
  EXPECT_EQ(box.w, 400);
  EXPECT_EQ(box.h, 300);
  EXPECT_FLOAT_EQ(box.scale_x, 2);

  // A resized window takes a whole-number scale when it gives up little room: pixels stay square.
  box = FitLetterbox(800, 600, 1700, 1300);
  EXPECT_EQ(box.w, 1600);
  EXPECT_EQ(box.h, 1200);
  EXPECT_EQ(box.x, 50);
  EXPECT_EQ(box.y, 50);
  EXPECT_FLOAT_EQ((50 + 1600 - box.offset_x) * box.scale_x, 800);
  box = FitLetterbox(800, 600, 860, 640);
  EXPECT_EQ(box.w, 800);
  EXPECT_EQ(box.x, 30);
  EXPECT_FLOAT_EQ((430 - box.offset_x) * box.scale_x, 400);
  // Far from a whole number, the picture still fills the window's height.
  box = FitLetterbox(800, 600, 1500, 900);
  EXPECT_EQ(box.h, 900);
  EXPECT_EQ(box.w, 1200);

  // Nonsense sizes give the identity, never a division by zero.
  box = FitLetterbox(800, 600, 0, 0);
  EXPECT_EQ(box.w, 800);
  EXPECT_FLOAT_EQ(box.scale_x, 1);
}

}  // namespace
