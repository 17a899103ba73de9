#include "ui/text.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui_fixture.h"

namespace {

std::vector<float> LetterXs(TList<TLetter>& letters) {
  std::vector<float> xs;
  letters.ForEach([&](const std::shared_ptr<TLetter>& l) { xs.push_back(l->x); });
  return xs;
}

}  // namespace

using TextTest = UiTest;

TEST_F(TextTest, LevelLabelPlacesSixGlyphsOneStepApart) {
  auto label = TText::CreateText(10, 10, "Level: ", 1.0, 24.0, 32.0, 32, 0);
  EXPECT_EQ(LetterXs(*label), (std::vector<float>{10, 34, 58, 82, 106, 130}));
  label->Draw(font);
  auto glyphs = Glyphs();
  ASSERT_EQ(glyphs.size(), 6u);
  EXPECT_EQ(glyphs[0].frame, 'L' - 33);
  EXPECT_FLOAT_EQ(glyphs[0].y, 10);
  EXPECT_EQ(glyphs[0].blue, 235);
  EXPECT_FLOAT_EQ(glyphs[0].alpha, 1);
  EXPECT_FLOAT_EQ(glyphs[0].scale_x, 0.75f);
  int r = 0, g = 0, b = 0;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_EQ(GetBlend(), 1);
}

TEST_F(TextTest, OnlyTheTrackedSpaceMovesThePen) {
  auto single = TText::CreateText(0, 0, "A B C", 1.0, 10.0, 0, 0, 0);
  EXPECT_EQ(LetterXs(*single), (std::vector<float>{0, 20, 40}));
  // Two spaces in a row: the words touch, and the tracked space stays stuck on the first one.
  auto doubled = TText::CreateText(0, 0, "A  B C", 1.0, 10.0, 0, 0, 0);
  EXPECT_EQ(LetterXs(*doubled), (std::vector<float>{0, 10, 20}));
}

TEST_F(TextTest, CentringUsesTheScaledStepAndIsIgnoredWhenOff) {
  // A tutorial line of n characters starts at (800 - 12 n) / 2.
  auto tutorial = TText::CreateText(0, 100, "Destroy the UFO", 0.5, 24.0, 32.0, 800, 1);
  auto xs = LetterXs(*tutorial);
  ASSERT_FALSE(xs.empty());
  EXPECT_FLOAT_EQ(xs[0], (800 - 12 * 15) / 2.0f);
  EXPECT_FLOAT_EQ(xs[1], xs[0] + 12);
  auto uncentred = TText::CreateText(160, 10, "12", 1.0, 24.0, 32.0, 800, 0);
  EXPECT_EQ(LetterXs(*uncentred), (std::vector<float>{160, 184}));
}

TEST_F(TextTest, BraceMakesNoLetterButTakesAStep) {
  auto label = TText::CreateText(0, 0, "A{B", 1.0, 24.0, 32.0, 0, 0);
  EXPECT_EQ(LetterXs(*label), (std::vector<float>{0, 48}));
  label->ForEach([](const std::shared_ptr<TLetter>& l) { EXPECT_LT(l->chr, 90); });
  auto empty = TText::CreateText(0, 0, "", 1.0, 24.0, 32.0, 0, 0);
  EXPECT_TRUE(empty->IsEmpty());
}
