#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "PictureGeometry.h"

namespace {

void ExpectCorner(const QuadCorner& corner, float x, float y, float u, float v) {
  EXPECT_EQ(corner.x, x);
  EXPECT_EQ(corner.y, y);
  EXPECT_FLOAT_EQ(corner.u, u);
  EXPECT_FLOAT_EQ(corner.v, v);
}

void ExpectPoint(PointF point, float x, float y) {
  EXPECT_NEAR(point.x, x, 1e-4f);
  EXPECT_NEAR(point.y, y, 1e-4f);
}

TEST(Truncate, CutsTowardZeroAndSaturates) {
  EXPECT_EQ(Truncate(2.7f), 2);
  EXPECT_EQ(Truncate(-2.7f), -2);
  EXPECT_EQ(Truncate(1e10f), INT_MAX);
  EXPECT_EQ(Truncate(-1e10f), INT_MIN);
  EXPECT_EQ(Truncate(std::nanf("")), 0);
  EXPECT_EQ(Truncate16(40000.5f), INT16_MAX);
  EXPECT_EQ(Truncate16(-40000.5f), INT16_MIN);
  RectF cut = TruncateRect({0.7f, -0.5f, 10.9f, 5});
  EXPECT_EQ(cut.x1, 0);
  EXPECT_EQ(cut.y1, 0);
  EXPECT_EQ(cut.x2, 10);
}

TEST(BlitGeometry, APlainBlitCoversItsRectangle) {
  RectF source = {0, 0, 100, 50};
  BlitPlacement placement = PlaceBlit(source, 10, 20, true);
  EXPECT_FALSE(placement.Transforms());
  ExpectPoint(placement.pivotOnScreen, 10, 20);
  ExpectPoint(placement.pivot, 0, 0);
  EXPECT_EQ(placement.width, 100);
  EXPECT_EQ(placement.height, 50);
  TexCoords coords = BlitTexCoords(source, 128, 128, false, false);
  EXPECT_EQ(coords.uLeft, 0);
  EXPECT_EQ(coords.vTop, 0);
  EXPECT_EQ(coords.uRight, 100.0f / 128);
  EXPECT_EQ(coords.vBottom, 50.0f / 128);
}

TEST(BlitGeometry, BothFlipsTurnThePictureByHalfATurnInPlace) {
  RectF source = {8, 4, 24, 12};
  TexCoords plain = BlitTexCoords(source, 32, 32, false, false);
  TexCoords flipped = BlitTexCoords(source, 32, 32, true, true);
  EXPECT_EQ(flipped.uLeft, plain.uRight);
  EXPECT_EQ(flipped.uRight, plain.uLeft);
  EXPECT_EQ(flipped.vTop, plain.vBottom);
  EXPECT_EQ(flipped.vBottom, plain.vTop);
  TexCoords onlyX = BlitTexCoords(source, 32, 32, true, false);
  EXPECT_EQ(onlyX.uLeft, 24.0f / 32);
  EXPECT_EQ(onlyX.vTop, 4.0f / 32);
  TexCoords noTexture = BlitTexCoords(source, 0, 0, false, false);
  EXPECT_EQ(noTexture.uRight, 0.0f);
}

TEST(BlitGeometry, IntegerFormsCutTheDrawnSizeFloatFormsKeepIt) {
  RectF source = {0.7f, 0, 10.9f, 5.5f};
  BlitPlacement whole = PlaceBlit(source, 3, 4, true);
  BlitPlacement fractional = PlaceBlit(source, 3.5f, 4, false);
  EXPECT_EQ(whole.width, 10);
  EXPECT_EQ(whole.height, 5);
  EXPECT_NEAR(fractional.width, 10.2f, 1e-5f);
  EXPECT_EQ(fractional.pivotOnScreen.x, 3.5f);
}

TEST(BlitGeometry, TheTurningPivotIsTheCentreMovedByTheOffset) {
  struct Row {
    RectF rect;
    float cx, cy, x, y;
  };
  const Row rows[] = {{{0, 0, 11, 7}, 0, 0, 5.5f, 3.5f},
                      {{4, 2, 15, 9}, -8, 0.25f, -2.5f, 3.75f},
                      // A rectangle given right to left: its centre lies left of its first corner.
                      {{10, 0, 0, 4}, 0, 0, -5, 2}};
  for (const Row& row : rows) {
    PointF pivot = CentrePivot(row.rect, row.cx, row.cy);
    EXPECT_EQ(pivot.x, row.x) << row.rect.x1 << ", " << row.cx;
    EXPECT_EQ(pivot.y, row.y) << row.rect.x1 << ", " << row.cx;
  }
}

TEST(BlitGeometry, RotateZoomScalesAboutTheCentre) {
  RectF source = {0, 0, 10, 10};
  BlitPlacement placement = PlaceRotateZoom(source, 100, 100, 0, 2, true);
  // Zoomed about (105, 105), the drawn rectangle covers 95 to 115.
  ExpectPoint(placement.pivotOnScreen, 105, 105);
  ExpectPoint(placement.pivot, 5, 5);
  EXPECT_EQ(placement.width, 10);
  EXPECT_EQ(placement.zoom, 2);
  EXPECT_TRUE(placement.Transforms());
  // Without turn or zoom it still pivots about the centre, which lands where a plain blit puts it.
  BlitPlacement unturned = PlaceRotateZoom({0, 0, 11, 7}, 100, 100, 0, 1, true);
  ExpectPoint(unturned.pivot, 5, 3);
  ExpectPoint(unturned.pivotOnScreen, 105, 103);
}

TEST(BlitGeometry, FxWithoutTurnOrZoomIsAPlainBlit) {
  RectF source = {0, 0, 32, 16};
  BlitPlacement fx = PlaceFx(source, 40, 50, 0, 1, 7, 9, true);
  BlitPlacement plain = PlaceBlit(source, 40, 50, true);
  EXPECT_FALSE(fx.Transforms());
  ExpectPoint(fx.pivotOnScreen, plain.pivotOnScreen.x, plain.pivotOnScreen.y);
  ExpectPoint(fx.pivot, 0, 0);
  EXPECT_EQ(fx.width, plain.width);
}

TEST(BlitGeometry, FxTurnsAboutItsOffsetCentre) {
  BlitPlacement placement = PlaceFx({0, 0, 20, 10}, 100, 200, 90, 1, 2, 3, false);
  // The pivot is the rectangle's centre moved by (cx, cy).
  ExpectPoint(placement.pivot, 12, 8);
  ExpectPoint(placement.pivotOnScreen, 112, 208);
  EXPECT_EQ(placement.angle, 90);
  EXPECT_EQ(placement.width, 20);
  EXPECT_TRUE(placement.Transforms());
}

TEST(BlitGeometry, PlacedQuadsTurnCounterClockwiseAndZoomAboutThePivot) {
  TexCoords coords = BlitTexCoords({0, 0, 20, 10}, 32, 16, false, false);
  // Unturned: the rectangle at its place, corners in the order top-left, bottom-left,
  // bottom-right, top-right.
  Quad plain = PlaceQuad(PlaceBlit({0, 0, 20, 10}, 100, 200, false), coords);
  ExpectCorner(plain.corners[0], 100, 200, 0, 0);
  ExpectCorner(plain.corners[1], 100, 210, 0, 10.0f / 16);
  ExpectCorner(plain.corners[2], 120, 210, 20.0f / 32, 10.0f / 16);
  ExpectCorner(plain.corners[3], 120, 200, 20.0f / 32, 0);
  // A quarter turn about (112, 208): the top-left corner, 12 left of and 8 above the pivot, goes
  // to 8 left of and 12 below it.
  Quad turned = PlaceQuad(PlaceFx({0, 0, 20, 10}, 100, 200, 90, 1, 2, 3, false), coords);
  EXPECT_NEAR(turned.corners[0].x, 104, 1e-4f);
  EXPECT_NEAR(turned.corners[0].y, 220, 1e-4f);
  EXPECT_NEAR(turned.corners[2].x, 114, 1e-4f);
  EXPECT_NEAR(turned.corners[2].y, 200, 1e-4f);
  // Zoom 2 about the centre (105, 105) of a 10 x 10 rectangle at (100, 100).
  Quad zoomed = PlaceQuad(PlaceRotateZoom({0, 0, 10, 10}, 100, 100, 0, 2, true), coords);
  ExpectCorner(zoomed.corners[0], 95, 95, 0, 0);
  ExpectCorner(zoomed.corners[2], 115, 115, 20.0f / 32, 10.0f / 16);
}

TEST(BlitGeometry, FxDrawsNothingWithoutZoomOrAlpha) {
  EXPECT_FALSE(FxDraws(0, 1));
  EXPECT_FALSE(FxDraws(1, 0));
  EXPECT_FALSE(FxDraws(1, -1));
  EXPECT_TRUE(FxDraws(0.5f, 0.01f));
}

TEST(BlitGeometry, IntegerFxCutsItsCentreOffsets) {
  BlitPlacement placement = PlaceFx({0, 0, 11, 7}, 0, 0, 45, 1, 0.25f, 0, true);
  ExpectPoint(placement.pivot, 5, 3);
  ExpectPoint(placement.pivotOnScreen, 5, 3);
}

TEST(BlitGeometry, StretchCoversTheDestinationCutToWholePixels) {
  BlitPlacement plain = PlaceStretch({10.9f, 10, 138, 74.5f}, 0, 5, 5);
  EXPECT_FALSE(plain.Transforms());
  ExpectPoint(plain.pivotOnScreen, 10, 10);
  EXPECT_EQ(plain.width, 128);
  EXPECT_EQ(plain.height, 64);
  // Turned about the centre of the uncut destination, moved by (cx, cy), from the cut corner.
  BlitPlacement turned = PlaceStretch({10.5f, 10, 138, 74}, 90, 1, -2);
  ExpectPoint(turned.pivot, 64.75f, 30);
  ExpectPoint(turned.pivotOnScreen, 74.75f, 40);
  EXPECT_EQ(turned.width, 128);
  EXPECT_EQ(turned.zoom, 1);
}

TEST(BlitGeometry, TilesTurnAboutTheirCentreInWholeHalves) {
  BlitPlacement placement = PlaceTiled(10, 20, 5, 3, 30);
  ExpectPoint(placement.pivotOnScreen, 12, 21);
  ExpectPoint(placement.pivot, 2, 1);
  EXPECT_EQ(placement.width, 4);
  EXPECT_EQ(placement.height, 2);
  EXPECT_EQ(placement.angle, 30);
  EXPECT_EQ(placement.zoom, 1);
  BlitPlacement negative = PlaceTiled(0, 0, -5, 4, 0);
  ExpectPoint(negative.pivot, -2, 2);
  EXPECT_EQ(negative.width, -4);
}

TEST(BlitGeometry, TilesShowTheTextureRepeatedAndHalfTurned) {
  TexCoords coords = TiledTexCoords(4);
  EXPECT_EQ(coords.uLeft, 4);
  EXPECT_EQ(coords.vTop, 4);
  EXPECT_EQ(coords.uRight, 0);
  EXPECT_EQ(coords.vBottom, 0);
}

TEST(BlitGeometry, ArbitraryQuadCutsDestinationsTowardZero) {
  const PointF source[4] = {{0, 0}, {0, 32}, {64, 32}, {64, 0}};
  const PointF destination[4] = {{-1.5f, 2.9f}, {3.2f, 40.7f}, {80.99f, 41}, {70, -0.5f}};
  Quad quad = ArbitraryQuad(source, destination, 64, 64);
  ExpectCorner(quad.corners[0], -1, 2, 0, 0);
  ExpectCorner(quad.corners[1], 3, 40, 0, 0.5f);
  ExpectCorner(quad.corners[2], 80, 41, 1, 0.5f);
  ExpectCorner(quad.corners[3], 70, 0, 1, 0);
}

}  // namespace
