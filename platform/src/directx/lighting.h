// Direct3D's fixed-function vertex lighting, worked out on the CPU for the draws that are lit: the
// lights that are on, placed in view space once per draw, the material and its colour sources,
// and the global ambient colour. Specular highlights are not drawn (the specular state is off on
// Direct3D's devices unless a program turns it on, and nothing here does).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "directx/lanes.h"
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
  // alpha the diffuse colour's. Four vertices are lit at once.
  void Shade(const unsigned char* vertices, size_t step, size_t count, GlVertex* corners,
             size_t cornerStep) const;

  // A colour in every lane, or the colours of four vertices, channel by channel.
  struct ColourLanes {
    Floats r, g, b, a;
  };
  // A light as a draw sees it: in view space, its direction of unit length, its numbers in
  // every lane.
  struct ViewLight {
    D3DLIGHTTYPE type;
    bool constantAttenuation;  // the same strength at every distance
    bool ambient;              // whether it has an ambient colour
    float falloff;
    ColourLanes diffuseColour, ambientColour;
    Floats position[3];
    Floats toLight[3];  // against the direction it travels
    Floats rangeSquared;
    Floats attenuation[3];
    Floats strength;            // at every distance, when that is constant
    Floats innerCos, outerCos;  // a spot's half angles
  };

 private:
  // Byte offset of the vertex colour that stands for a material colour, or -1 for the material's.
  int ColourSource(DWORD source, bool colorVertex) const;
  // The colours of four vertices, as Shade gives them.
  Ints ShadeLanes(const unsigned char* const vertices[kLanes]) const;

  std::vector<ViewLight> lights_;
  ColourLanes diffuseMaterial_, ambientMaterial_, emissiveMaterial_;
  ColourLanes ambientLight_;
  VertexLayout layout_;
  Floats worldView_[4][3];  // the rows of world . view, but for w
  Floats normals_[3][3];    // the inverse transpose of its turn and scale
  int diffuseFrom_, ambientFrom_, emissiveFrom_;
};

}  // namespace platform::directx
