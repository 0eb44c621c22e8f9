// The matrix type shared by Direct3D and the projection maths.
#pragma once

typedef float D3DVALUE;

// 4 x 4 floats, row-major, for row vectors: the translation is in _41, _42, _43. The same 16
// floats are named element by element and as rows and columns.
typedef struct _D3DMATRIX {
  union {
    __extension__ struct {
      D3DVALUE _11, _12, _13, _14;
      D3DVALUE _21, _22, _23, _24;
      D3DVALUE _31, _32, _33, _34;
      D3DVALUE _41, _42, _43, _44;
    };
    D3DVALUE m[4][4];
  };
} D3DMATRIX, *LPD3DMATRIX;
