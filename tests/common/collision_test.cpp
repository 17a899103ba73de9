#include "common/collision.h"

#include <gtest/gtest.h>

TEST(Collision, BoxesThatTouchCollideAndBoxesApartDoNot) {
  EXPECT_EQ(TCollision::BoundingBox(0, 0, 10, 10, 10, 0, 20, 10), 1);    // shared edge
  EXPECT_EQ(TCollision::BoundingBox(0, 0, 10, 10, 10, 10, 20, 20), 1);   // shared corner
  EXPECT_EQ(TCollision::BoundingBox(0, 0, 10, 10, 10.5, 0, 20, 10), 0);  // apart on the right
  EXPECT_EQ(TCollision::BoundingBox(20, 0, 30, 10, 0, 0, 10, 10), 0);    // apart on the left
  EXPECT_EQ(TCollision::BoundingBox(0, 0, 10, 10, 0, 10.5, 10, 20), 0);  // apart below
  EXPECT_EQ(TCollision::BoundingBox(0, 20, 10, 30, 0, 0, 10, 10), 0);    // apart above
  EXPECT_EQ(TCollision::BoundingBox(0, 0, 10, 10, 2, 2, 3, 3), 1);       // B inside A
  EXPECT_EQ(TCollision::BoundingBox(2, 2, 3, 3, 0, 0, 10, 10), 1);       // A inside B
}

TEST(Collision, PointOnASharedCellEdgeBelongsToBothCells) {
  EXPECT_EQ(TCollision::PointToBox(266, 0, 0, 0, 266, 200), 1);
  EXPECT_EQ(TCollision::PointToBox(266, 0, 266, 0, 532, 200), 1);
  EXPECT_EQ(TCollision::PointToBox(267, 0, 0, 0, 266, 200), 0);
  EXPECT_EQ(TCollision::PointToBox(10, 201, 0, 0, 266, 200), 0);
  EXPECT_EQ(TCollision::PointToBox(10, -1, 0, 0, 266, 200), 0);
}

TEST(Collision, DistancesAreCityBlockAndStraightLine) {
  EXPECT_FLOAT_EQ(TCollision::Dist2(0, 0, 3, 4), 7);
  EXPECT_FLOAT_EQ(TCollision::Dist2(3, 4, 0, 0), 7);
  EXPECT_FLOAT_EQ(TCollision::Dist(0, 0, 3, 4), 5);
  EXPECT_FLOAT_EQ(TCollision::Dist(-3, -4, 0, 0), 5);
  EXPECT_FLOAT_EQ(TCollision::BoxDist(0, 0, 10, 10, 100, 100, 5, 5), 0);
}
