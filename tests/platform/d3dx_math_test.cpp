#include <gtest/gtest.h>

#include "platform/d3dx_math.h"

namespace {

struct Point {
  float x, y, z, w;
};

Point Transform(const D3DXMATRIX& m, float x, float y, float z) {
  return {x * m._11 + y * m._21 + z * m._31 + m._41, x * m._12 + y * m._22 + z * m._32 + m._42,
          x * m._13 + y * m._23 + z * m._33 + m._43, x * m._14 + y * m._24 + z * m._34 + m._44};
}

}  // namespace

TEST(ProjectionMaths, OrthographicMapsTheViewVolumeOntoClipSpace) {
  D3DXMATRIX m;
  EXPECT_EQ(D3DXMatrixOrthoLH(&m, 800, 600, -100, 100), &m);
  Point corner = Transform(m, 400, -300, 100);
  EXPECT_FLOAT_EQ(corner.x, 1.0f);
  EXPECT_FLOAT_EQ(corner.y, -1.0f);
  EXPECT_FLOAT_EQ(corner.z, 1.0f);
  EXPECT_FLOAT_EQ(corner.w, 1.0f);
  EXPECT_FLOAT_EQ(Transform(m, 0, 0, -100).z, 0.0f);
}

TEST(ProjectionMaths, OffCentrePerspectiveMapsTheFrustumOntoClipSpace) {
  D3DXMATRIX m;
  D3DXMatrixPerspectiveOffCenterLH(&m, -2, 6, -1, 3, 1, 10);
  // The near plane's corners land on the clip square's corners at depth 0.
  Point nearCorner = Transform(m, 6, -1, 1);
  EXPECT_FLOAT_EQ(nearCorner.x / nearCorner.w, 1.0f);
  EXPECT_FLOAT_EQ(nearCorner.y / nearCorner.w, -1.0f);
  EXPECT_FLOAT_EQ(nearCorner.z / nearCorner.w, 0.0f);
  // The far plane's corner, scaled by distance, lands at depth 1.
  Point farCorner = Transform(m, -20, 30, 10);
  EXPECT_FLOAT_EQ(farCorner.x / farCorner.w, -1.0f);
  EXPECT_FLOAT_EQ(farCorner.y / farCorner.w, 1.0f);
  EXPECT_FLOAT_EQ(farCorner.z / farCorner.w, 1.0f);
  EXPECT_FLOAT_EQ(farCorner.w, 10.0f);
}

TEST(ProjectionMaths, ProductAppliesTheLeftMatrixFirstAndMayOverwriteAnOperand) {
  D3DXMATRIX translate{}, scale{};
  translate._11 = translate._22 = translate._33 = translate._44 = 1;
  translate._41 = 10;
  scale._11 = 2;
  scale._22 = scale._33 = scale._44 = 1;
  D3DXMATRIX product;
  EXPECT_EQ(D3DXMatrixMultiply(&product, &translate, &scale), &product);
  EXPECT_FLOAT_EQ(Transform(product, 1, 0, 0).x, 22.0f);  // (1 + 10) x 2
  D3DXMatrixMultiply(&scale, &scale, &translate);         // into its own operand
  EXPECT_FLOAT_EQ(Transform(scale, 1, 0, 0).x, 12.0f);    // 1 x 2 + 10
}
