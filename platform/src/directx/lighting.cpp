#include "directx/lighting.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "directx/lanes.h"

namespace platform::directx {
namespace {

constexpr float kPi = 3.14159265f;

float Dot(const float a[3], const float b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
using directx::Dot;  // and those of the lanes

void Cross(const float a[3], const float b[3], float out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// v . m for the turn and scale of m, plus its translation when `point`.
void Transform(const float v[3], const D3DMATRIX& m, bool point, float out[3]) {
  for (int j = 0; j < 3; ++j) {
    out[j] = v[0] * m.m[0][j] + v[1] * m.m[1][j] + v[2] * m.m[2][j] + (point ? m.m[3][j] : 0.0f);
  }
}

void Normalise(float v[3]) {
  float length = std::sqrt(Dot(v, v));
  if (length > 0.0f) {
    for (int j = 0; j < 3; ++j) v[j] /= length;
  }
}

bool HasDirection(const D3DVECTOR& v) {
  return v.x != 0.0f || v.y != 0.0f || v.z != 0.0f;
}

D3DCOLORVALUE FromArgb(DWORD argb) {
  return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
          (argb >> 24) / 255.0f};
}

using ColourLanes = VertexLighting::ColourLanes;

ColourLanes Lanes(const D3DCOLORVALUE& colour) {
  return {Splat(colour.r), Splat(colour.g), Splat(colour.b), Splat(colour.a)};
}

// The channel at `shift` of each lane's ARGB colour, 0..1.
Floats Channel(Ints argb, int shift) {
  return __builtin_convertvector((argb >> shift) & 0xFF, Floats) / 255.0f;
}

int32_t Argb(const unsigned char* bytes) {
  int32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// The colours at byte offset `source` of the vertices, kept in `own`; the material's where there
// is no source (referred to, not copied).
inline const ColourLanes& Colour(int source, const ColourLanes& material,
                                 const unsigned char* const vertices[kLanes], ColourLanes& own) {
  if (source < 0) return material;
  const Ints argb = {Argb(vertices[0] + source), Argb(vertices[1] + source),
                     Argb(vertices[2] + source), Argb(vertices[3] + source)};
  own = {Channel(argb, 16), Channel(argb, 8), Channel(argb, 0), Channel(argb, 24)};
  return own;
}

// The four floats at byte offset `offset` of the vertices, one vertex a lane.
inline Lanes4 Gather(const unsigned char* const vertices[kLanes], int offset) {
  return Transpose(Load(vertices[0] + offset), Load(vertices[1] + offset),
                   Load(vertices[2] + offset), Load(vertices[3] + offset));
}

// A lit channel clamped to 0..1, as a byte in each lane; NaN is taken for 0.
Ints Byte(Floats channel) {
  const Floats clamped = Minimum(Maximum(channel, Floats{}), Splat(1.0f));
  return __builtin_convertvector(clamped * 255.0f + 0.5f, Ints);
}

// Light falling on four vertices, red, green and blue.
struct LightLanes {
  Floats r, g, b;

  // colour * strength in the lanes of the mask.
  void Add(Ints mask, const ColourLanes& colour, Floats strength) {
    r += Keep(mask, colour.r * strength);
    g += Keep(mask, colour.g * strength);
    b += Keep(mask, colour.b * strength);
  }
};

// What `light` adds to the ambient and diffuse light at the vertices (in view space).
void AddLight(const VertexLighting::ViewLight& light, const Lanes3& position, const Lanes3& normal,
              LightLanes& ambient, LightLanes& diffuse) {
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
        if (fading[k]) strength[k] *= std::pow((along[k] - outer) / (inner - outer), light.falloff);
      }
    }
  }
  if (light.ambient) ambient.Add(reached, light.ambientColour, strength);
  const Floats facing = Dot(normal, toLight);
  diffuse.Add(reached & (facing > 0.0f), light.diffuseColour, facing * strength);
}

}  // namespace

bool ValidLight(const D3DLIGHT7& light) {
  const D3DLIGHTTYPE type = light.dltType;
  if (type != D3DLIGHT_POINT && type != D3DLIGHT_SPOT && type != D3DLIGHT_DIRECTIONAL) {
    return false;
  }
  if (type != D3DLIGHT_POINT && !HasDirection(light.dvDirection)) return false;
  if (type == D3DLIGHT_DIRECTIONAL) return true;
  bool reach = light.dvRange >= 0.0f && light.dvRange <= D3DLIGHT_RANGE_MAX;
  bool attenuation = light.dvAttenuation0 >= 0.0f && light.dvAttenuation1 >= 0.0f &&
                     light.dvAttenuation2 >= 0.0f &&
                     light.dvAttenuation0 + light.dvAttenuation1 + light.dvAttenuation2 > 0.0f;
  bool cone = type == D3DLIGHT_POINT ||
              (light.dvTheta >= 0.0f && light.dvTheta <= light.dvPhi && light.dvPhi <= kPi);
  return reach && attenuation && cone;
}

D3DLIGHT7 DefaultLight() {
  D3DLIGHT7 light{};
  light.dltType = D3DLIGHT_DIRECTIONAL;
  light.dcvDiffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.dvDirection = {0.0f, 0.0f, 1.0f};
  return light;
}

VertexLighting::VertexLighting(const std::vector<D3DLIGHT7>& lights, const D3DMATERIAL7& material,
                               const DWORD* renderStates, const D3DMATRIX& world,
                               const D3DMATRIX& view, const VertexLayout& layout)
    : diffuseMaterial_(Lanes(material.dcvDiffuse)),
      ambientMaterial_(Lanes(material.dcvAmbient)),
      emissiveMaterial_(Lanes(material.dcvEmissive)),
      ambientLight_(Lanes(FromArgb(renderStates[D3DRENDERSTATE_AMBIENT]))),
      layout_(layout) {
  const D3DMATRIX worldView = Multiply(world, view);
  // Normals turn with the inverse transpose of the world and view, so that they stay at right
  // angles to a surface that is scaled unevenly; they are not made unit length again. For row
  // vectors that matrix is the cofactor matrix over the determinant; a flattening transform has
  // no inverse, and its cofactors alone still give the normals' directions.
  const float* rows[3] = {worldView.m[0], worldView.m[1], worldView.m[2]};
  float normals[3][3];
  for (int i = 0; i < 3; ++i) Cross(rows[(i + 1) % 3], rows[(i + 2) % 3], normals[i]);
  float determinant = Dot(rows[0], normals[0]);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      normals_[i][j] = Splat(determinant != 0.0f ? normals[i][j] / determinant : normals[i][j]);
    }
  }
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 3; ++j) worldView_[i][j] = Splat(worldView.m[i][j]);
  }
  for (const D3DLIGHT7& light : lights) {
    ViewLight placed{};
    placed.type = light.dltType;
    placed.diffuseColour = Lanes(light.dcvDiffuse);
    placed.ambientColour = Lanes(light.dcvAmbient);
    placed.ambient =
        light.dcvAmbient.r != 0.0f || light.dcvAmbient.g != 0.0f || light.dcvAmbient.b != 0.0f;
    const float position[3] = {light.dvPosition.x, light.dvPosition.y, light.dvPosition.z};
    const float direction[3] = {light.dvDirection.x, light.dvDirection.y, light.dvDirection.z};
    float placedPosition[3], placedDirection[3];
    Transform(position, view, true, placedPosition);
    Transform(direction, view, false, placedDirection);
    Normalise(placedDirection);
    for (int j = 0; j < 3; ++j) {
      placed.position[j] = Splat(placedPosition[j]);
      placed.toLight[j] = Splat(-placedDirection[j]);
    }
    placed.rangeSquared = Splat(light.dvRange * light.dvRange);
    placed.attenuation[0] = Splat(light.dvAttenuation0);
    placed.attenuation[1] = Splat(light.dvAttenuation1);
    placed.attenuation[2] = Splat(light.dvAttenuation2);
    // Directional lights are never attenuated.
    placed.constantAttenuation = light.dltType == D3DLIGHT_DIRECTIONAL ||
                                 (light.dvAttenuation1 == 0.0f && light.dvAttenuation2 == 0.0f);
    placed.strength = Splat(light.dltType != D3DLIGHT_DIRECTIONAL && placed.constantAttenuation
                                ? 1.0f / light.dvAttenuation0
                                : 1.0f);
    placed.falloff = light.dvFalloff;
    placed.innerCos = Splat(std::cos(light.dvTheta * 0.5f));
    placed.outerCos = Splat(std::cos(light.dvPhi * 0.5f));
    lights_.push_back(placed);
  }
  bool colorVertex = renderStates[D3DRENDERSTATE_COLORVERTEX] != FALSE;
  diffuseFrom_ = ColourSource(renderStates[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE], colorVertex);
  ambientFrom_ = ColourSource(renderStates[D3DRENDERSTATE_AMBIENTMATERIALSOURCE], colorVertex);
  emissiveFrom_ = ColourSource(renderStates[D3DRENDERSTATE_EMISSIVEMATERIALSOURCE], colorVertex);
}

int VertexLighting::ColourSource(DWORD source, bool colorVertex) const {
  if (!colorVertex) return -1;
  if (source == D3DMCS_COLOR1) return layout_.diffuse;
  if (source == D3DMCS_COLOR2) return layout_.specular;
  return -1;
}

void VertexLighting::Shade(const unsigned char* vertices, size_t step, size_t count,
                           GlVertex* corners, size_t cornerStep) const {
  static_assert(kLanes == 4);
  size_t first = 0;
  for (; first + kLanes <= count; first += kLanes) {
    const unsigned char* vertex = vertices + first * step;
    const unsigned char* const lanes[kLanes] = {vertex, vertex + step, vertex + 2 * step,
                                                vertex + 3 * step};
    const Ints rgba = ShadeLanes(lanes);
    GlVertex* corner = corners + first * cornerStep;
    for (int k = 0; k < kLanes; ++k) corner[k * cornerStep].rgba = static_cast<uint32_t>(rgba[k]);
  }
  if (first == count) return;
  // The lanes past the last vertex repeat it; their colours are not kept.
  const unsigned char* lanes[kLanes];
  for (size_t k = 0; k < kLanes; ++k) lanes[k] = vertices + std::min(first + k, count - 1) * step;
  const Ints rgba = ShadeLanes(lanes);
  for (size_t k = 0; first + k < count; ++k) {
    corners[(first + k) * cornerStep].rgba = static_cast<uint32_t>(rgba[k]);
  }
}

Ints VertexLighting::ShadeLanes(const unsigned char* const lanes[kLanes]) const {
  // Every format with a normal has it right after the position: the float before the normal
  // is the position's z, and each vertex is read in two loads of four floats.
  const Lanes4 model = Gather(lanes, 0), modelNormal = Gather(lanes, layout_.normal - 4);
  const Lanes3 turned = Turn({model.x, model.y, model.z}, worldView_);
  const Lanes3 position = {turned.x + worldView_[3][0], turned.y + worldView_[3][1],
                           turned.z + worldView_[3][2]};
  const Lanes3 normal = Turn({modelNormal.y, modelNormal.z, modelNormal.w}, normals_);
  LightLanes ambientLight{ambientLight_.r, ambientLight_.g, ambientLight_.b};
  LightLanes diffuseLight{};
  for (const ViewLight& light : lights_) {
    AddLight(light, position, normal, ambientLight, diffuseLight);
  }
  ColourLanes own[3];
  const ColourLanes& diffuse = Colour(diffuseFrom_, diffuseMaterial_, lanes, own[0]);
  const ColourLanes& ambient = Colour(ambientFrom_, ambientMaterial_, lanes, own[1]);
  const ColourLanes& emissive = Colour(emissiveFrom_, emissiveMaterial_, lanes, own[2]);
  const Floats red = emissive.r + ambient.r * ambientLight.r + diffuse.r * diffuseLight.r;
  const Floats green = emissive.g + ambient.g * ambientLight.g + diffuse.g * diffuseLight.g;
  const Floats blue = emissive.b + ambient.b * ambientLight.b + diffuse.b * diffuseLight.b;
  return Byte(red) | Byte(green) << 8 | Byte(blue) << 16 | Byte(diffuse.a) << 24;
}

}  // namespace platform::directx
