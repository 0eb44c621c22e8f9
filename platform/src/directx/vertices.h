// Flexible vertex formats and the CPU side of the transform: from a vertex to a pixel position
// that OpenGL divides by w itself.
#pragma once

#include <cstring>

#include "directx/batch.h"
#include "platform/direct3d.h"

namespace platform::directx {

// Where the parts the device uses sit in a vertex of a flexible format.
struct VertexLayout {
  DWORD stride = 0;
  int normal = -1;    // byte offset, or -1 without a normal (then never lit)
  int diffuse = -1;   // byte offset, or -1 without a colour (then white)
  int specular = -1;  // byte offset, or -1
  int texture = -1;   // byte offset of the first texture coordinates, or -1
};

// False for formats the device can't draw: positions must be untransformed (D3DFVF_XYZ).
bool ParseVertexFormat(DWORD format, VertexLayout& layout);

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);
D3DMATRIX Identity();

// Direct3D's ARGB colour as OpenGL's bytes red, green, blue, alpha.
inline uint32_t ToRgba(DWORD argb) {
  return (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16);
}

inline void TransformVertex(const D3DMATRIX& m, const unsigned char* vertex,
                            const VertexLayout& layout, GlVertex& out) {
  float p[3];
  std::memcpy(p, vertex, sizeof p);
  out.x = p[0] * m._11 + p[1] * m._21 + p[2] * m._31 + m._41;
  out.y = p[0] * m._12 + p[1] * m._22 + p[2] * m._32 + m._42;
  out.z = p[0] * m._13 + p[1] * m._23 + p[2] * m._33 + m._43;
  out.w = p[0] * m._14 + p[1] * m._24 + p[2] * m._34 + m._44;
  DWORD color = 0xFFFFFFFFu;
  if (layout.diffuse >= 0) std::memcpy(&color, vertex + layout.diffuse, sizeof color);
  out.rgba = ToRgba(color);
  if (layout.texture >= 0) {
    std::memcpy(&out.u, vertex + layout.texture, 2 * sizeof(float));
  } else {
    out.u = out.v = 0.0f;
  }
}

}  // namespace platform::directx
