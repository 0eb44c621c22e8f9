#include "directx/lighting.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::directx {
namespace {

constexpr float kPi = 3.14159265f;

float Dot(const float a[3], const float b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

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

void Add(D3DCOLORVALUE& sum, const D3DCOLORVALUE& colour, float scale) {
  sum.r += colour.r * scale;
  sum.g += colour.g * scale;
  sum.b += colour.b * scale;
}

uint32_t Byte(float channel) {
  return static_cast<uint32_t>(std::clamp(channel, 0.0f, 1.0f) * 255.0f + 0.5f);
}

D3DCOLORVALUE FromArgb(DWORD argb) {
  return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
          (argb >> 24) / 255.0f};
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
    : material_(material),
      ambient_(FromArgb(renderStates[D3DRENDERSTATE_AMBIENT])),
      layout_(layout),
      worldView_(Multiply(world, view)) {
  // Normals turn with the inverse transpose of the world and view, so that they stay at right
  // angles to a surface that is scaled unevenly; they are not made unit length again. For row
  // vectors that matrix is the cofactor matrix over the determinant; a flattening transform has
  // no inverse, and its cofactors alone still give the normals' directions.
  const float* rows[3] = {worldView_.m[0], worldView_.m[1], worldView_.m[2]};
  for (int i = 0; i < 3; ++i) Cross(rows[(i + 1) % 3], rows[(i + 2) % 3], normals_[i]);
  float determinant = Dot(rows[0], normals_[0]);
  if (determinant != 0.0f) {
    for (auto& row : normals_) {
      for (float& element : row) element /= determinant;
    }
  }
  for (const D3DLIGHT7& light : lights) {
    ViewLight placed{};
    placed.type = light.dltType;
    placed.diffuse = light.dcvDiffuse;
    placed.ambient = light.dcvAmbient;
    const float position[3] = {light.dvPosition.x, light.dvPosition.y, light.dvPosition.z};
    const float direction[3] = {light.dvDirection.x, light.dvDirection.y, light.dvDirection.z};
    Transform(position, view, true, placed.position);
    Transform(direction, view, false, placed.direction);
    Normalise(placed.direction);
    placed.rangeSquared = light.dvRange * light.dvRange;
    placed.attenuation[0] = light.dvAttenuation0;
    placed.attenuation[1] = light.dvAttenuation1;
    placed.attenuation[2] = light.dvAttenuation2;
    // Directional lights are never attenuated.
    placed.constantAttenuation = light.dltType == D3DLIGHT_DIRECTIONAL ||
                                 (light.dvAttenuation1 == 0.0f && light.dvAttenuation2 == 0.0f);
    placed.strength = light.dltType != D3DLIGHT_DIRECTIONAL && placed.constantAttenuation
                          ? 1.0f / light.dvAttenuation0
                          : 1.0f;
    placed.falloff = light.dvFalloff;
    placed.innerCos = std::cos(light.dvTheta * 0.5f);
    placed.outerCos = std::cos(light.dvPhi * 0.5f);
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

D3DCOLORVALUE VertexLighting::Colour(int source, const D3DCOLORVALUE& material,
                                     const unsigned char* vertex) const {
  if (source < 0) return material;
  DWORD argb;
  std::memcpy(&argb, vertex + source, sizeof argb);
  return FromArgb(argb);
}

uint32_t VertexLighting::Shade(const unsigned char* vertex) const {
  float model[3], modelNormal[3], position[3], normal[3];
  std::memcpy(model, vertex, sizeof model);
  std::memcpy(modelNormal, vertex + layout_.normal, sizeof modelNormal);
  Transform(model, worldView_, true, position);
  for (int j = 0; j < 3; ++j) {
    normal[j] = modelNormal[0] * normals_[0][j] + modelNormal[1] * normals_[1][j] +
                modelNormal[2] * normals_[2][j];
  }
  D3DCOLORVALUE ambientLight = ambient_, diffuseLight{};
  for (const ViewLight& light : lights_) {
    float toLight[3];
    float strength = light.strength;
    if (light.type == D3DLIGHT_DIRECTIONAL) {
      for (int j = 0; j < 3; ++j) toLight[j] = -light.direction[j];
    } else {
      // The range is compared squared, so that a light out of reach costs no square root.
      for (int j = 0; j < 3; ++j) toLight[j] = light.position[j] - position[j];
      const float distanceSquared = Dot(toLight, toLight);
      if (distanceSquared > light.rangeSquared) continue;
      const float distance = std::sqrt(distanceSquared);
      if (distance > 0.0f) {
        const float inverse = 1.0f / distance;
        for (int j = 0; j < 3; ++j) toLight[j] *= inverse;
      }
      if (!light.constantAttenuation) {
        strength = 1.0f / (light.attenuation[0] + light.attenuation[1] * distance +
                           light.attenuation[2] * distanceSquared);
      }
      if (light.type == D3DLIGHT_SPOT) {
        float along = -Dot(toLight, light.direction);
        if (along <= light.outerCos) continue;
        if (along <= light.innerCos) {
          strength *=
              std::pow((along - light.outerCos) / (light.innerCos - light.outerCos), light.falloff);
        }
      }
    }
    Add(ambientLight, light.ambient, strength);
    float facing = Dot(normal, toLight);
    if (facing > 0.0f) Add(diffuseLight, light.diffuse, facing * strength);
  }
  const D3DCOLORVALUE diffuse = Colour(diffuseFrom_, material_.dcvDiffuse, vertex);
  const D3DCOLORVALUE ambient = Colour(ambientFrom_, material_.dcvAmbient, vertex);
  const D3DCOLORVALUE emissive = Colour(emissiveFrom_, material_.dcvEmissive, vertex);
  float red = emissive.r + ambient.r * ambientLight.r + diffuse.r * diffuseLight.r;
  float green = emissive.g + ambient.g * ambientLight.g + diffuse.g * diffuseLight.g;
  float blue = emissive.b + ambient.b * ambientLight.b + diffuse.b * diffuseLight.b;
  return Byte(red) | Byte(green) << 8 | Byte(blue) << 16 | Byte(diffuse.a) << 24;
}

bool VertexLighting::LitAlike(const unsigned char* a, const unsigned char* b) const {
  auto same = [&](int offset, size_t size) {
    return offset < 0 || std::memcmp(a + offset, b + offset, size) == 0;
  };
  return same(0, 12) && same(layout_.normal, 12) && same(layout_.diffuse, 4) &&
         same(layout_.specular, 4);
}

uint32_t VertexLighting::ShadeRepeated(const unsigned char* vertices, uint32_t index) {
  if (shaded_.empty()) shaded_.resize(size_t(1) << kShadedBits);
  const unsigned char* vertex = vertices + size_t(index) * layout_.stride;
  uint32_t bits[3];
  std::memcpy(bits, vertex, sizeof bits);
  const uint32_t hash = bits[0] * 0x9E3779B1u + bits[1] * 0x85EBCA77u + bits[2] * 0xC2B2AE3Du;
  ShadedVertex& slot = shaded_[hash >> (32 - kShadedBits)];
  if (slot.indexPlusOne == 0 ||
      !LitAlike(vertices + size_t(slot.indexPlusOne - 1) * layout_.stride, vertex)) {
    slot = {index + 1, Shade(vertex)};
  }
  return slot.rgba;
}

}  // namespace platform::directx
