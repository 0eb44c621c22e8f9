// The lighting of VertexLighting::Shade, worked out in lanes (lanes.h) as wide as the file that
// includes this is compiled for: lighting.cpp for every processor, lighting_wide.cpp for those
// with AVX2. The numbers of the draw are spread across the lanes once a call, and each set of
// lanes is then lit in the order of operations a single vertex would be, so that every width
// gives the same colours bit for bit. Everything here is the including file's own, and nothing
// from a library template or inline function is used that the two files would share: the AVX2
// file's copy could be the one a program keeps.
#pragma once

#include <cmath>
#include <cstdint>

#include "directx/lanes.h"
#include "directx/lighting.h"

namespace platform::directx {

// The AVX2 build of ShadeInLanes, where the build makes one (TUNDREL_WIDE_LANES). The setup's
// lights come as an array, so that this file uses nothing of std::vector's.
void ShadeWide(const VertexLighting::Setup& setup, const VertexLighting::ViewLight* lights,
               size_t lightCount, const unsigned char* vertices, size_t step, size_t count,
               GlVertex* corners, size_t cornerStep);

namespace {

// A colour in every lane, or the colours of the lanes' vertices, channel by channel.
struct ColourLanes {
  Floats r, g, b, a;
};

inline ColourLanes Lanes(const D3DCOLORVALUE& colour) {
  return {Splat(colour.r), Splat(colour.g), Splat(colour.b), Splat(colour.a)};
}

// A light's numbers in every lane.
struct LightLanes {
  D3DLIGHTTYPE type;
  bool constantAttenuation;
  bool ambient;  // whether it has an ambient colour
  float falloff;
  ColourLanes diffuseColour, ambientColour;
  Floats position[3];
  Floats toLight[3];  // against the direction it travels
  Floats rangeSquared;
  Floats attenuation[3];
  Floats strength;
  Floats innerCos, outerCos;
};

// A draw's numbers in every lane.
struct DrawLanes {
  explicit DrawLanes(size_t room) : lights(new LightLanes[room]) {}
  ~DrawLanes() { delete[] lights; }
  DrawLanes(const DrawLanes&) = delete;
  DrawLanes& operator=(const DrawLanes&) = delete;

  Floats worldView[4][3];  // its rows, but for w
  Floats normals[3][3];
  ColourLanes diffuseMaterial, ambientMaterial, emissiveMaterial;
  ColourLanes ambientLight;
  LightLanes* lights;
  size_t lightCount = 0;
};

inline void Spread(const VertexLighting::Setup& setup, const VertexLighting::ViewLight* lights,
                   size_t lightCount, DrawLanes& draw) {
  draw.diffuseMaterial = Lanes(setup.material.dcvDiffuse);
  draw.ambientMaterial = Lanes(setup.material.dcvAmbient);
  draw.emissiveMaterial = Lanes(setup.material.dcvEmissive);
  draw.ambientLight = Lanes(setup.ambient);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 3; ++j) draw.worldView[i][j] = Splat(setup.worldView.m[i][j]);
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) draw.normals[i][j] = Splat(setup.normals[i][j]);
  }
  for (draw.lightCount = 0; draw.lightCount < lightCount; ++draw.lightCount) {
    const VertexLighting::ViewLight& light = lights[draw.lightCount];
    LightLanes& lanes = draw.lights[draw.lightCount];
    lanes.type = light.type;
    lanes.constantAttenuation = light.constantAttenuation;
    lanes.ambient = light.ambient.r != 0.0f || light.ambient.g != 0.0f || light.ambient.b != 0.0f;
    lanes.falloff = light.falloff;
    lanes.diffuseColour = Lanes(light.diffuse);
    lanes.ambientColour = Lanes(light.ambient);
    for (int j = 0; j < 3; ++j) {
      lanes.position[j] = Splat(light.position[j]);
      lanes.toLight[j] = Splat(-light.direction[j]);
      lanes.attenuation[j] = Splat(light.attenuation[j]);
    }
    lanes.rangeSquared = Splat(light.rangeSquared);
    lanes.strength = Splat(light.strength);
    lanes.innerCos = Splat(light.innerCos);
    lanes.outerCos = Splat(light.outerCos);
  }
}

// The channel at `shift` of each lane's ARGB colour, 0..1.
inline Floats Channel(Ints argb, int shift) {
  return __builtin_convertvector((argb >> shift) & 0xFF, Floats) / 255.0f;
}

// The colours at byte offset `source` of the vertices, kept in `own`; the material's where there
// is no source (referred to, not copied).
inline const ColourLanes& Colour(int source, const ColourLanes& material,
                                 const unsigned char* const vertices[kLanes], ColourLanes& own) {
  if (source < 0) return material;
  const Ints argb = GatherWords(vertices, source);
  own = {Channel(argb, 16), Channel(argb, 8), Channel(argb, 0), Channel(argb, 24)};
  return own;
}

// A lit channel clamped to 0..1, as a byte in each lane; NaN is taken for 0.
inline Ints Byte(Floats channel) {
  return __builtin_convertvector(ClampToUnit(channel) * 255.0f + 0.5f, Ints);
}

// Light falling on the lanes' vertices, red, green and blue.
struct LightSum {
  Floats r, g, b;

  // colour * strength in the lanes of the mask.
  void Add(Ints mask, const ColourLanes& colour, Floats strength) {
    r += Keep(mask, colour.r * strength);
    g += Keep(mask, colour.g * strength);
    b += Keep(mask, colour.b * strength);
  }
};

// What `light` adds to the ambient and diffuse light at the vertices (in view space).
inline void AddLight(const LightLanes& light, const Lanes3& position, const Lanes3& normal,
                     LightSum& ambient, LightSum& diffuse) {
  Lanes3 toLight = {light.toLight[0], light.toLight[1], light.toLight[2]};
  Floats strength = light.strength;
  Ints reached = Ints{} == 0;
  if (light.type != D3DLIGHT_DIRECTIONAL) {
    toLight = {light.position[0] - position.x, light.position[1] - position.y,
               light.position[2] - position.z};
    // The range is compared squared, and a NaN distance counts as in reach.
    const Floats distanceSquared = Dot(toLight, toLight);
    reached = ~(distanceSquared > light.rangeSquared);
    const Floats distance = SquareRoot(distanceSquared);
    // At the light itself the direction stays zero.
    const Floats inverse = distance > 0.0f ? 1.0f / distance : Splat(1.0f);
    toLight = {toLight.x * inverse, toLight.y * inverse, toLight.z * inverse};
    if (!light.constantAttenuation) {
      strength = 1.0f / (light.attenuation[0] + light.attenuation[1] * distance +
                         light.attenuation[2] * distanceSquared);
    }
    if (light.type == D3DLIGHT_SPOT) {
      const Floats along = Dot(toLight, light.toLight);
      reached &= ~(along <= light.outerCos);
      const Ints fading = reached & (along <= light.innerCos);
      const float inner = light.innerCos[0], outer = light.outerCos[0];
      for (int k = 0; k < kLanes; ++k) {
        if (fading[k]) strength[k] *= powf((along[k] - outer) / (inner - outer), light.falloff);
      }
    }
  }
  if (light.ambient) ambient.Add(reached, light.ambientColour, strength);
  const Floats facing = Dot(normal, toLight);
  diffuse.Add(reached & (facing > 0.0f), light.diffuseColour, facing * strength);
}

// The lit colours of the lanes' vertices.
inline Ints ShadeLanes(const VertexLighting::Setup& setup, const DrawLanes& draw,
                       const unsigned char* const lanes[kLanes]) {
  // Every format with a normal has it right after the position: the float before the normal
  // is the position's z, and each vertex is read in two loads of four floats.
  const Lanes4 model = Gather(lanes, 0), modelNormal = Gather(lanes, setup.normal - 4);
  const Lanes3 turned = Turn({model.x, model.y, model.z}, draw.worldView);
  const Lanes3 position = {turned.x + draw.worldView[3][0], turned.y + draw.worldView[3][1],
                           turned.z + draw.worldView[3][2]};
  const Lanes3 normal = Turn({modelNormal.y, modelNormal.z, modelNormal.w}, draw.normals);
  LightSum ambientLight{draw.ambientLight.r, draw.ambientLight.g, draw.ambientLight.b};
  LightSum diffuseLight{};
  for (size_t i = 0; i < draw.lightCount; ++i) {
    AddLight(draw.lights[i], position, normal, ambientLight, diffuseLight);
  }
  ColourLanes own[3];
  const ColourLanes& diffuse = Colour(setup.diffuseFrom, draw.diffuseMaterial, lanes, own[0]);
  const ColourLanes& ambient = Colour(setup.ambientFrom, draw.ambientMaterial, lanes, own[1]);
  const ColourLanes& emissive = Colour(setup.emissiveFrom, draw.emissiveMaterial, lanes, own[2]);
  const Floats red = emissive.r + ambient.r * ambientLight.r + diffuse.r * diffuseLight.r;
  const Floats green = emissive.g + ambient.g * ambientLight.g + diffuse.g * diffuseLight.g;
  const Floats blue = emissive.b + ambient.b * ambientLight.b + diffuse.b * diffuseLight.b;
  return Byte(red) | Byte(green) << 8 | Byte(blue) << 16 | Byte(diffuse.a) << 24;
}

// VertexLighting::Shade in lanes of this file's width.
inline void ShadeInLanes(const VertexLighting::Setup& setup,
                         const VertexLighting::ViewLight* lights, size_t lightCount,
                         const unsigned char* vertices, size_t step, size_t count,
                         GlVertex* corners, size_t cornerStep) {
  DrawLanes draw(lightCount);
  Spread(setup, lights, lightCount, draw);
  for (size_t first = 0; first < count; first += kLanes) {
    // The lanes past the last vertex repeat it; their colours are not kept.
    const size_t last = first + kLanes < count ? first + kLanes - 1 : count - 1;
    const unsigned char* lanes[kLanes];
    for (size_t k = 0; k < kLanes; ++k) {
      lanes[k] = vertices + (first + k < last ? first + k : last) * step;
    }
    const Ints rgba = ShadeLanes(setup, draw, lanes);
    for (size_t k = 0; first + k <= last; ++k) {
      corners[(first + k) * cornerStep].rgba = static_cast<uint32_t>(rgba[k]);
    }
  }
}

}  // namespace
}  // namespace platform::directx
