#include "directx/lighting.h"

#include <cmath>

#include "directx/lighting_lanes.h"
#include "directx/seams.h"

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
                               const D3DMATRIX& view, const VertexLayout& layout) {
  setup_.material = material;
  setup_.ambient = FromArgb(renderStates[D3DRENDERSTATE_AMBIENT]);
  setup_.worldView = Multiply(world, view);
  setup_.normal = layout.normal;
  // Normals turn with the inverse transpose of the world and view, so that they stay at right
  // angles to a surface that is scaled unevenly; they are not made unit length again. For row
  // vectors that matrix is the cofactor matrix over the determinant; a flattening transform has
  // no inverse, and its cofactors alone still give the normals' directions.
  const auto& m = setup_.worldView.m;
  const float* rows[3] = {m[0], m[1], m[2]};
  auto& normals = setup_.normals;
  for (int i = 0; i < 3; ++i) Cross(rows[(i + 1) % 3], rows[(i + 2) % 3], normals[i]);
  float determinant = Dot(rows[0], normals[0]);
  if (determinant != 0.0f) {
    for (auto& row : normals) {
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
    setup_.lights.push_back(placed);
  }
  bool colorVertex = renderStates[D3DRENDERSTATE_COLORVERTEX] != FALSE;
  setup_.diffuseFrom =
      ColourSource(renderStates[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE], colorVertex, layout);
  setup_.ambientFrom =
      ColourSource(renderStates[D3DRENDERSTATE_AMBIENTMATERIALSOURCE], colorVertex, layout);
  setup_.emissiveFrom =
      ColourSource(renderStates[D3DRENDERSTATE_EMISSIVEMATERIALSOURCE], colorVertex, layout);
}

int VertexLighting::ColourSource(DWORD source, bool colorVertex, const VertexLayout& layout) {
  if (!colorVertex) return -1;
  if (source == D3DMCS_COLOR1) return layout.diffuse;
  if (source == D3DMCS_COLOR2) return layout.specular;
  return -1;
}

void VertexLighting::Shade(const unsigned char* vertices, size_t step, size_t count,
                           GlVertex* corners, size_t cornerStep) const {
#if defined(TUNDREL_WIDE_LANES)
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide && !g_fourLanes) {
    ShadeWide(setup_, setup_.lights.data(), setup_.lights.size(), vertices, step, count, corners,
              cornerStep);
    return;
  }
#endif
  ShadeInLanes(setup_, setup_.lights.data(), setup_.lights.size(), vertices, step, count, corners,
               cornerStep);
}

}  // namespace platform::directx
