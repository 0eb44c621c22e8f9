#include <gtest/gtest.h>

#include <cstring>

#include "KMatrix.h"
#include "platform/d3dx_math.h"

namespace {

void ExpectIdentity(const float m[16]) {
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << "element " << i;
}

}  // namespace

TEST(MatrixHelpers, BothIdentitiesOverwriteEverything) {
  float m[16];
  std::memset(m, 0x7f, sizeof m);
  KMatrixIdentity(m);
  ExpectIdentity(m);
  std::memset(m, 0x7f, sizeof m);
  KMatrixLoadIdentity(m);
  ExpectIdentity(m);
}

TEST(MatrixHelpers, TranslationAndScaling) {
  float m[16];
  KMatrixTranslation(m, 3, -4, 5);
  float v[3] = {1, 1, 1}, out[3];
  EXPECT_EQ(KVectorTransform(out, v, m), out);
  EXPECT_FLOAT_EQ(out[0], 4);
  EXPECT_FLOAT_EQ(out[1], -3);
  EXPECT_FLOAT_EQ(out[2], 6);

  float scaling[16], scale[16];
  KMatrixScaling(scaling, 2, 3, 4);
  KMatrixScale(scale, 2, 3, 4);
  EXPECT_EQ(std::memcmp(scaling, scale, sizeof scale), 0);
  EXPECT_EQ(scaling[0], 2);
  EXPECT_EQ(scaling[5], 3);
  EXPECT_EQ(scaling[10], 4);
  EXPECT_EQ(scaling[15], 1);
}

TEST(MatrixHelpers, RotationsTurnLeftHanded) {
  float m[16];
  KMatrixRotationX(m, 0);
  ExpectIdentity(m);

  KMatrixRotationZ(m, 90);
  EXPECT_NEAR(m[0], 0, 1e-7);
  EXPECT_NE(m[0], 0.0f);  // the angle is a rounded float, so its cosine is not exactly 0
  EXPECT_FLOAT_EQ(m[1], 1);
  EXPECT_FLOAT_EQ(m[4], -1);
  EXPECT_NEAR(m[5], 0, 1e-7);
  float x[3] = {1, 0, 0}, out[3];
  KVectorTransform(out, x, m);
  EXPECT_NEAR(out[0], 0, 1e-6);
  EXPECT_NEAR(out[1], 1, 1e-6);  // x turns towards y

  KMatrixRotationY(m, 30);
  EXPECT_FLOAT_EQ(m[0], 0.8660254f);
  EXPECT_FLOAT_EQ(m[2], -0.5f);
  EXPECT_FLOAT_EQ(m[8], 0.5f);
  KMatrixRotationX(m, -30);
  EXPECT_FLOAT_EQ(m[6], -0.5f);
  EXPECT_FLOAT_EQ(m[9], 0.5f);
}

TEST(MatrixHelpers, TransformDividesByWOnlyWhenItIsNotZero) {
  float m[16];
  KMatrixIdentity(m);
  m[15] = 0;  // last column all zero: no division
  float v[3] = {2, 4, 6}, out[3];
  KVectorTransform(out, v, m);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[1], 4);
  EXPECT_EQ(out[2], 6);

  m[15] = 2;
  KVectorTransform(out, v, m);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[1], 2);
  EXPECT_EQ(out[2], 3);
}

TEST(MatrixHelpers, ProjectionsAreTheProjectionMaths) {
  float ortho[16];
  D3DXMATRIX expected;
  KMatrixOrtho(ortho, 800, 600, -100, 100);
  D3DXMatrixOrthoLH(&expected, 800, 600, -100, 100);
  EXPECT_EQ(std::memcmp(ortho, &expected, sizeof ortho), 0);

  float perspective[16];
  KMatrixPerspective(perspective, 0.4f, 0.3f, 1, 1000);
  D3DXMatrixPerspectiveOffCenterLH(&expected, -0.4f, 0.4f, -0.3f, 0.3f, 1, 1000);
  EXPECT_EQ(std::memcmp(perspective, &expected, sizeof perspective), 0);
}
