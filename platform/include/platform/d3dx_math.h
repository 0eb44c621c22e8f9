// The Direct3D extension maths the library uses: the matrix product and the two left-handed
// projections, for row vectors.
#pragma once

#include "platform/d3d_types.h"

typedef D3DMATRIX D3DXMATRIX;

// Orthographic projection of a w x h view volume centred on the axis, depth zn..zf onto 0..1.
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf);
// Perspective projection of the view volume left..right, bottom..top at the near plane zn.
D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* out, float left, float right, float bottom,
                                             float top, float zn, float zf);
// a x b: for row vectors, applies a to a point first, then b. out may be a or b.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
