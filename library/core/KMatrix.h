// 4 x 4 float matrices for row vectors (p' = p x M), row-major, element index = 4 x row + column,
// translation in elements 12, 13 and 14. Each function overwrites the whole result matrix.
#pragma once

void KMatrixIdentity(float m[16]);
void KMatrixLoadIdentity(float m[16]);
// Left-handed orthographic projection of a w x h view volume centred on the axis.
void KMatrixOrtho(float out[16], float w, float h, float zn, float zf);
// Left-handed perspective projection of the volume -a..a by -b..b at the near plane zn.
void KMatrixPerspective(float out[16], float a, float b, float zn, float zf);
void KMatrixTranslation(float m[16], float x, float y, float z);
void KMatrixScaling(float m[16], float sx, float sy, float sz);
void KMatrixScale(float m[16], float sx, float sy, float sz);
// Rotations by degrees; a positive angle about Z turns the x axis towards the y axis.
void KMatrixRotationX(float m[16], float degrees);
void KMatrixRotationY(float m[16], float degrees);
void KMatrixRotationZ(float m[16], float degrees);
// The point v transformed by m, divided by w unless w is exactly 0; returns out.
float* KVectorTransform(float out[3], const float v[3], const float m[16]);
