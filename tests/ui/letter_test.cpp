#include "ui/letter.h"

#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace {

std::shared_ptr<TLetter> Moving(TList<TLetter>* list, float xspeed, float yspeed, float x, float y) {
  auto letter =
      TLetter::CreateLetter(0, x, y, xspeed, yspeed, 0, 100, 0, 100, 0.5, 0.1, 10, 10, 0.2f, 0.5f, 1.0f);
  letter->SetList(list);
  list->AddLast(letter);
  return letter;
}

}  // namespace

using LetterTest = UiTest;

TEST_F(LetterTest, LeavesItsListOnlyWhenPastTheEdgeItMovesTowards) {
  TList<TLetter> list;
  auto left = Moving(&list, -1, 0, 1, 50);
  left->Move();  // x = 0: on the edge, still in
  EXPECT_EQ(list.Count(), 1);
  left->Move();
  EXPECT_EQ(list.Count(), 0);

  auto coming_in = Moving(&list, 1, 0, -5, 50);  // outside, but moving inwards
  coming_in->Move();
  EXPECT_EQ(list.Count(), 1);
  auto still = Moving(&list, 0, 0, 500, 500);  // standing still outside is never removed
  still->Move();
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(LetterTest, FadesInNearTheEdgeItComesFromAndOutNearTheOneItGoesTo) {
  TList<TLetter> list;
  auto rising = Moving(&list, 0, -1, 50, 95);  // enters at the bottom
  rising->DrawScroll(font, 0);
  EXPECT_NEAR(rising->alpha, 0.6f, 1e-6);
  EXPECT_NEAR(rising->scale, 0.7f, 1e-6);
  auto leaving = Moving(&list, 0, -1, 50, 45);  // in the deeper exit zone at the top (0 .. 50)
  leaving->scale = 0.9f;
  leaving->DrawScroll(font, 0);
  EXPECT_NEAR(leaving->alpha, 0.4f, 1e-6);
  EXPECT_NEAR(leaving->scale, 0.7f, 1e-6);
  auto paused = Moving(&list, 0, -1, 50, 95);
  paused->DrawScroll(font, 1);
  EXPECT_FLOAT_EQ(paused->y, 95);
  EXPECT_FLOAT_EQ(paused->alpha, 0.5f);
  EXPECT_EQ(Glyphs().size(), 3u);
}

TEST_F(LetterTest, StillDrawingUsesTheLettersOwnStateAndIgnoresTheArea) {
  auto letter = TLetter::CreateLetter(32, 300, 20, 0, 0, 0, 10, 0, 10, 1.0, 0, 0, 0, 0.225f, 0.75f, 0.75f);
  letter->SetRGB(0, 0, 235);
  letter->DrawStill(font);
  auto glyphs = Glyphs();
  ASSERT_EQ(glyphs.size(), 1u);
  EXPECT_EQ(glyphs[0].frame, 32);
  EXPECT_FLOAT_EQ(glyphs[0].x, 300);
  EXPECT_FLOAT_EQ(glyphs[0].scale_x, 0.75f);
  EXPECT_EQ(glyphs[0].blue, 235);
  float sx = 0, sy = 0;
  GetScale(&sx, &sy);
  EXPECT_FLOAT_EQ(sx, 1);
}
