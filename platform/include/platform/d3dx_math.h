// The two projection matrices of the Direct3D extension maths, left-handed, for row vectors.
#pragma once

#include "platform/d3d_types.h"

typedef D3DMATRIX D3DXMATRIX;

// Orthographic projection of a w x h view volume centred on the axis, depth zn..zf onto 0..1.
D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* out, float w, float h, float zn, float zf);
// Perspective projection of the view volume left..right, bottom..top at the near plane zn.
D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* out, float left, float right, float bottom,
                                             float top, float zn, float zf);
