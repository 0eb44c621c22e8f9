#include <gtest/gtest.h>

#include <cmath>

#include "Geometry.h"

namespace {

Circle Ball(float x, float y, float radius = 14) {
  return {{x, y}, radius};
}
Rect Box(float x, float y, float w, float h) {
  return {{x, y}, {w, h}};
}

}  // namespace

TEST(CircleRectHit, SidesAreStrictAndReportedEvenWithoutAHit) {
  int side = -1;
  EXPECT_FALSE(CircleRectHit(Ball(100, 100), Box(115, 90, 10, 20), &side));
  EXPECT_EQ(side, kSideRightOfCentre);
  EXPECT_TRUE(CircleRectHit(Ball(100, 100), Box(113, 90, 10, 20), &side));
  EXPECT_EQ(side, kSideRightOfCentre);
  EXPECT_FALSE(CircleRectHit(Ball(100, 100), Box(114, 90, 10, 20), &side));  // touching

  EXPECT_TRUE(CircleRectHit(Ball(100, 100), Box(77, 90, 10, 20), &side));
  EXPECT_EQ(side, kSideLeftOfCentre);
  EXPECT_FALSE(CircleRectHit(Ball(100, 100), Box(76, 90, 10, 20), &side));

  EXPECT_TRUE(CircleRectHit(Ball(100, 100), Box(90, 77, 20, 10), &side));
  EXPECT_EQ(side, kSideAboveCentre);
  EXPECT_TRUE(CircleRectHit(Ball(100, 100), Box(90, 113, 20, 10), &side));
  EXPECT_EQ(side, kSideBelowCentre);
  EXPECT_FALSE(CircleRectHit(Ball(100, 100), Box(90, 114, 20, 10), &side));
  EXPECT_EQ(side, kSideBelowCentre);
}

TEST(CircleRectHit, CornersUseTheDistanceToTheCorner) {
  int side = -1;
  // Corner at (110, 110): distance sqrt(200) ~ 14.1 misses a radius of 14, hits 14.2.
  EXPECT_FALSE(CircleRectHit(Ball(100, 100), Box(110, 110, 5, 5), &side));
  EXPECT_EQ(side, kSideCornerOrInside);
  EXPECT_TRUE(CircleRectHit(Ball(100, 100, 14.2f), Box(110, 110, 5, 5), &side));
  EXPECT_TRUE(CircleRectHit(Ball(100, 100, 14.2f), Box(85, 85, 5, 5), &side));
  EXPECT_TRUE(CircleRectHit(Ball(100, 100, 14.2f), Box(110, 85, 5, 5), &side));
  EXPECT_TRUE(CircleRectHit(Ball(100, 100, 14.2f), Box(85, 110, 5, 5), &side));
  EXPECT_EQ(side, kSideCornerOrInside);
}

TEST(CircleRectHit, CentreInsideAlwaysHits) {
  int side = -1;
  EXPECT_TRUE(CircleRectHit(Ball(100, 100, 0), Box(0, 0, 200, 200), &side));
  EXPECT_EQ(side, kSideCornerOrInside);
}

TEST(Vector2, RotationTurnsTowardsYAndKeepsLength) {
  Vector2 v{6, 0};
  v.Rotate(3.14159265f / 2);
  EXPECT_NEAR(v.x, 0, 1e-5);
  EXPECT_NEAR(v.y, 6, 1e-5);
  EXPECT_NEAR(Vector2({3, 4}).Rotate(1.234f).Dot(Vector2({3, 4}).Rotate(1.234f)), 25, 1e-4);
}

TEST(Vector2, AngleToIsSigned) {
  Vector2 down{0, 1};
  EXPECT_NEAR(Vector2({1, 0}).AngleTo(down), 3.14159265f / 2, 1e-6);
  EXPECT_NEAR(Vector2({-1, 0}).AngleTo(down), -3.14159265f / 2, 1e-6);
  EXPECT_NEAR(down.AngleTo(down), 0, 1e-6);
}

TEST(Vector2, ArithmeticInPlaceAndByValue) {
  Vector2 v{1, 2};
  v.Add({3, 4});
  EXPECT_EQ(v.x, 4);
  EXPECT_EQ(v.y, 6);
  v.Subtract({1, 1});
  EXPECT_EQ(v.x, 3);
  Vector2 sum = v.Sum({1, 1});
  EXPECT_EQ(sum.x, 4);
  EXPECT_EQ(v.x, 3);
  v.Scale(-1);
  EXPECT_EQ(v.x, -3);
  EXPECT_EQ(v.y, -5);
  EXPECT_EQ(Vector2({2, 3}).Cross({4, 5}), 2 * 5 - 3 * 4);
}

TEST(PointInRect, TheBorderIsOutsideAndOnePixelInIsInside) {
  std::pair<Vector2, bool> cases[] = {{{10, 25}, false}, {{11, 25}, true},  {{50, 25}, false},
                                      {{49, 25}, true},  {{30, 20}, false}, {{30, 40}, false}};
  for (const auto& [point, inside] : cases)
    EXPECT_EQ(PointInRect(point, 10, 20, 40, 20), inside) << point.x << ", " << point.y;
}

TEST(Vector2, ClampHoldsEachCoordinateToItsOwnRange) {
  Vector2 v{-5, 50};
  v.Clamp({-1, 0}, {1, 10});
  EXPECT_TRUE(v.x == -1 && v.y == 10);
}
