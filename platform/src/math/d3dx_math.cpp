#include "platform/d3dx_math.h"

#include <cstring>

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf) {
  std::memset(out, 0, sizeof *out);
  out->_11 = 2.0f / w;
  out->_22 = 2.0f / h;
  out->_33 = 1.0f / (zf - zn);
  out->_43 = zn / (zn - zf);
  out->_44 = 1.0f;
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* out, float left, float right, float bottom,
                                             float top, float zn, float zf) {
  std::memset(out, 0, sizeof *out);
  out->_11 = 2.0f * zn / (right - left);
  out->_22 = 2.0f * zn / (top - bottom);
  out->_31 = (left + right) / (left - right);
  out->_32 = (top + bottom) / (bottom - top);
  out->_33 = zf / (zf - zn);
  out->_34 = 1.0f;
  out->_43 = zn * zf / (zn - zf);
  return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      product.m[row][column] = a->m[row][0] * b->m[0][column] + a->m[row][1] * b->m[1][column] +
                               a->m[row][2] * b->m[2][column] + a->m[row][3] * b->m[3][column];
    }
  }
  *out = product;
  return out;
}
