// Direct3D matrices built with the matrix helpers, for the DirectX window and pictures. A product
// A . B applies A to a vertex first, then B (row vectors).
#pragma once

#include "KMatrix.h"
#include "platform/d3dx_math.h"
#include "platform/win32.h"

inline D3DMATRIX DXMultiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX product;
  D3DXMatrixMultiply(&product, &a, &b);
  return product;
}

inline D3DMATRIX DXTranslation(float x, float y) {
  D3DMATRIX m;
  KMatrixTranslation(&m.m[0][0], x, y, 0);
  return m;
}

inline D3DMATRIX DXRotationZ(float degrees) {
  D3DMATRIX m;
  KMatrixRotationZ(&m.m[0][0], degrees);
  return m;
}

// Scales x and y by zoom and flattens z, as the 2D views and blits do.
inline D3DMATRIX DXScaling(float zoom) {
  D3DMATRIX m;
  KMatrixScaling(&m.m[0][0], zoom, zoom, 0);
  return m;
}
