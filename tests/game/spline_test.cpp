#include <gtest/gtest.h>

#include "game/scout_ufo.h"
#include "game/spline.h"
#include "game_fixture.h"

TEST(Spline, WorkedKnotsAndLimits) {
  auto ufo = TScoutUfo::Create(0, 0, 300, 0, 1000);
  // Knots (0,10), (1,20), (2,40), (3,80): through knots 1 and 2, and 26.25 -> 26 half way.
  EXPECT_EQ(ufo->SplineY(0, 10, 1, 20, 2, 40, 3, 80, 1.0f), 20);
  EXPECT_EQ(ufo->SplineY(0, 10, 1, 20, 2, 40, 3, 80, 2.0f), 40);
  EXPECT_EQ(ufo->SplineY(0, 10, 1, 20, 2, 40, 3, 80, 1.5f), 26);
  EXPECT_EQ(ufo->SplineX(10, 0, 20, 1, 40, 2, 80, 3, 1.5f), 26);
  // Held inside the field: y within 0..425, x within 0..800.
  EXPECT_EQ(ufo->SplineY(0, 400, 1, 420, 2, 425, 3, 900, 3.0f), 425);
  EXPECT_EQ(ufo->SplineY(0, 100, 1, 0, 2, 0, 3, -300, 3.0f), 0);
  EXPECT_EQ(ufo->SplineX(700, 0, 790, 1, 800, 2, 1200, 3, 3.0f), 800);
  EXPECT_EQ(ufo->SplineX(700, 0, 790, 1, 800, 2, 1200, 3, 1.0f), 790);
  // Equal parameters of knots 0 and 2 count as a denominator of 1 rather than dividing by zero.
  EXPECT_EQ(SplineClamp(SplineBlend(1, 0, 1, 20, 2, 40, 3, 80, 1.0f), 425), 20);
}

TEST(Spline, NeverOutsideTheField) {
  auto ufo = TScoutUfo::Create(0, 0, 300, 0, 1000);
  for (float t = -2; t < 6; t += 0.01f) {
    const int y = ufo->SplineY(0, 0, 1, 425, 2, 0, 3, 425, t);
    const int x = ufo->SplineX(800, 0, 0, 1, 800, 2, 0, 3, t);
    ASSERT_GE(y, 0);
    ASSERT_LE(y, 425);
    ASSERT_GE(x, 0);
    ASSERT_LE(x, 800);
  }
}
