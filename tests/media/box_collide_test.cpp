// The box overlap test.
#include <gtest/gtest.h>

#include "engine/media/draw.h"

TEST(BoxCollide, PointAgainstBoxEdges) {
  EXPECT_EQ(draw_box_collide(5, 5, 1, 1, 0, 0, 5, 5), 0);  // just past the far corner
  EXPECT_EQ(draw_box_collide(4, 4, 1, 1, 0, 0, 5, 5), 1);
  EXPECT_EQ(draw_box_collide(0, 0, 1, 1, 0, 0, 5, 5), 1);
  EXPECT_EQ(draw_box_collide(-1, 2, 1, 1, 0, 0, 5, 5), 0);
}

TEST(BoxCollide, IsSymmetric) {
  EXPECT_EQ(draw_box_collide(0, 0, 5, 5, 4, 4, 1, 1), 1);
  EXPECT_EQ(draw_box_collide(0, 0, 5, 5, 5, 5, 1, 1), 0);
}

TEST(BoxCollide, BoxesMustOverlapOnBothAxes) {
  EXPECT_EQ(draw_box_collide(0, 0, 10, 10, 9, 20, 10, 10), 0);
  EXPECT_EQ(draw_box_collide(0, 0, 10, 10, 9, 9, 10, 10), 1);
}

TEST(BoxCollide, ZeroSizeIsTheStartPixel) {
  EXPECT_EQ(draw_box_collide(3, 3, 0, 0, 3, 3, 0, 0), 1);
  EXPECT_EQ(draw_box_collide(3, 3, 0, 0, 4, 3, 0, 0), 0);
}

TEST(BoxCollide, NegativeSizesExtendBack) {
  // x = 10, w = -3 covers 8..10 (far edge x + w + 1).
  EXPECT_EQ(draw_box_collide(10, 0, -3, 1, 8, 0, 1, 1), 1);
  EXPECT_EQ(draw_box_collide(10, 0, -3, 1, 7, 0, 1, 1), 0);
  EXPECT_EQ(draw_box_collide(10, 10, -3, -3, 8, 8, 1, 1), 1);
}

TEST(BoxCollide, ExtremeValuesDoNotOverflow) {
  EXPECT_EQ(draw_box_collide(2147483647, 0, 2147483647, 1, 0, 0, 1, 1), 0);
  EXPECT_EQ(draw_box_collide(-2147483647 - 1, 0, -5, 1, 0, 0, 1, 1), 0);
  EXPECT_EQ(draw_box_collide(2147483600, 0, 100, 1, 2147483647, 0, 1, 1), 1);
}
