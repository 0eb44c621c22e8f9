#include "KMatrix.h"

#include <cmath>
#include <cstring>

#include "platform/d3dx_math.h"

namespace {

// Both constants are single-precision; the two products are taken in extended precision and
// rounded to float once, so angles match the library's other users bit for bit.
float DegreesToRadians(float degrees) {
  const float twoPi = 6.2831855f;
  const float oneOver360 = 0.0027777778f;
  return static_cast<float>(static_cast<long double>(degrees) * twoPi * oneOver360);
}

struct CosSin {
  float c;
  float s;
};

CosSin Turn(float degrees) {
  double radians = DegreesToRadians(degrees);
  return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians))};
}

void CopyMatrix(float out[16], const D3DXMATRIX& matrix) {
  std::memcpy(out, &matrix, 16 * sizeof(float));
}

}  // namespace

void KMatrixIdentity(float m[16]) {
  std::memset(m, 0, 16 * sizeof(float));
  m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void KMatrixLoadIdentity(float m[16]) {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) m[4 * row + column] = row == column ? 1.0f : 0.0f;
}

void KMatrixOrtho(float out[16], float w, float h, float zn, float zf) {
  D3DXMATRIX matrix;
  D3DXMatrixOrthoLH(&matrix, w, h, zn, zf);
  CopyMatrix(out, matrix);
}

void KMatrixPerspective(float out[16], float a, float b, float zn, float zf) {
  D3DXMATRIX matrix;
  D3DXMatrixPerspectiveOffCenterLH(&matrix, -a, a, -b, b, zn, zf);
  CopyMatrix(out, matrix);
}

void KMatrixTranslation(float m[16], float x, float y, float z) {
  KMatrixIdentity(m);
  m[12] = x;
  m[13] = y;
  m[14] = z;
}

void KMatrixScaling(float m[16], float sx, float sy, float sz) {
  KMatrixIdentity(m);
  m[0] = sx;
  m[5] = sy;
  m[10] = sz;
}

void KMatrixScale(float m[16], float sx, float sy, float sz) {
  KMatrixIdentity(m);
  m[0] *= sx;
  m[5] *= sy;
  m[10] *= sz;
}

void KMatrixRotationX(float m[16], float degrees) {
  CosSin turn = Turn(degrees);
  KMatrixIdentity(m);
  m[5] = turn.c;
  m[6] = turn.s;
  m[9] = -turn.s;
  m[10] = turn.c;
}

void KMatrixRotationY(float m[16], float degrees) {
  CosSin turn = Turn(degrees);
  KMatrixIdentity(m);
  m[0] = turn.c;
  m[2] = -turn.s;
  m[8] = turn.s;
  m[10] = turn.c;
}

void KMatrixRotationZ(float m[16], float degrees) {
  CosSin turn = Turn(degrees);
  KMatrixIdentity(m);
  m[0] = turn.c;
  m[1] = turn.s;
  m[4] = -turn.s;
  m[5] = turn.c;
}

float* KVectorTransform(float out[3], const float v[3], const float m[16]) {
  float x = v[0] * m[0] + v[1] * m[4] + v[2] * m[8] + m[12];
  float y = v[0] * m[1] + v[1] * m[5] + v[2] * m[9] + m[13];
  float z = v[0] * m[2] + v[1] * m[6] + v[2] * m[10] + m[14];
  float w = v[0] * m[3] + v[1] * m[7] + v[2] * m[11] + m[15];
  if (w == 0.0f) {
    out[0] = x;
    out[1] = y;
    out[2] = z;
    return out;
  }
  float k = 1.0f / w;
  out[0] = k * x;
  out[1] = k * y;
  out[2] = k * z;
  return out;
}
