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
