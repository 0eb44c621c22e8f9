// Direct3D's fixed-function vertex lighting, worked out on the CPU for the draws that are lit: the
// lights that are on, placed in view space once per draw, the material and its colour sources,
// and the global ambient colour. Specular highlights are not drawn (the specular state is off on
// Direct3D's devices unless a program turns it on, and nothing here does).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "directx/vertices.h"

namespace platform::directx {

// Whether SetLight takes the light: a known type; for point and spot lights a range within reach
// and attenuation that never divides by zero; for spot and directional lights a direction; a
// spot's inner angle within its outer one, and that within half a turn.
bool ValidLight(const D3DLIGHT7& light);
// The light that LightEnable makes of a number that was never set.
D3DLIGHT7 DefaultLight();

class VertexLighting {
 public:
  // renderStates: the device's render states, indexed by D3DRENDERSTATETYPE.
  VertexLighting(const std::vector<D3DLIGHT7>& lights, const D3DMATERIAL7& material,
                 const DWORD* renderStates, const D3DMATRIX& world, const D3DMATRIX& view,
                 const VertexLayout& layout);

  // Lights `count` vertices with normals, the i-th at vertices + i * step, and gives its colour
  // to corners[i * cornerStep]: clamped to 0..1, as OpenGL's bytes red, green, blue, alpha, its
  // alpha the diffuse colour's. Eight vertices are lit at once where the processor has AVX2,
  // four otherwise.
  void Shade(const unsigned char* vertices, size_t step, size_t count, GlVertex* corners,
             size_t cornerStep) const;

  // A light as a draw sees it: in view space, its direction of unit length.
  struct ViewLight {
    D3DLIGHTTYPE type;
    D3DCOLORVALUE diffuse, ambient;
    float position[3];
    float direction[3];  // where the light travels
    float rangeSquared;
    float attenuation[3];
    bool constantAttenuation;  // the same strength at every distance
    float strength;            // that strength
    float falloff;
    float innerCos, outerCos;  // a spot's half angles
  };
  // What the lighting of a draw reads besides the vertices.
  struct Setup {
    std::vector<ViewLight> lights;
    D3DMATERIAL7 material;
    D3DCOLORVALUE ambient;  // the global ambient light
    D3DMATRIX worldView;
    float normals[3][3];  // the inverse transpose of worldView's turn and scale
    int normal;           // byte offset of the vertices' normal
    // Byte offsets of the vertex colours that stand for the material's colours, or -1.
    int diffuseFrom, ambientFrom, emissiveFrom;
  };

 private:
  // Byte offset of the vertex colour that stands for a material colour, or -1 for the material's.
  static int ColourSource(DWORD source, bool colorVertex, const VertexLayout& layout);

  Setup setup_;
};

}  // namespace platform::directx
