#include "KObject3DDX.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "DX3DDevice.h"
#include "KGraphicDX.h"
#include "KMatrix.h"
#include "platform/d3dx_math.h"

namespace {

// The single-precision pi over 360, held as a double: degrees to half the angle in radians.
constexpr double kHalfDegree = 0.008726646502812704;

// The most vertices the device takes in one draw, in whole triangles.
constexpr size_t kVerticesPerDraw = 65535 / 3 * 3;

// A white point light far behind the viewer (z 1100 before the view turns z over), reaching
// everywhere and never fading.
D3DLIGHT7 PassLight() {
  D3DLIGHT7 light{};
  light.dltType = D3DLIGHT_POINT;
  light.dcvDiffuse = {1, 1, 1, 1};
  light.dcvSpecular = {1, 1, 1, 1};
  light.dcvAmbient = {0, 0, 0, 1};
  light.dvPosition = {0, 0, 1100};
  light.dvDirection = {0, 0, 1};
  light.dvRange = D3DLIGHT_RANGE_MAX;
  light.dvFalloff = 1.0f;
  light.dvAttenuation0 = 1.0f;
  return light;
}

D3DMATERIAL7 PassMaterial() {
  return {{1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}, {1, 1, 1, 1}, {0, 0, 0, 0}, 50.0f};
}

// A matrix that one of the matrix helpers fills.
template <typename... Args>
D3DMATRIX Matrix(void (*fill)(float*, Args...), Args... args) {
  D3DMATRIX m;
  fill(&m.m[0][0], args...);
  return m;
}

D3DMATRIX Identity() {
  return Matrix(KMatrixIdentity);
}

// The view of every pass: z turned over, from the objects' right-handed coordinates (looking down
// -z) to Direct3D's left-handed view space.
D3DMATRIX ZFlip() {
  D3DMATRIX m = Identity();
  for (float& element : m.m[2]) element *= -1.0f;
  return m;
}

// factor x world: the factor applies to a vertex before what the world matrix already does.
void ApplyFirst(D3DMATRIX& world, const D3DMATRIX& factor) {
  D3DXMatrixMultiply(&world, &factor, &world);
}

// Three device vertices a face, its corners a, b, c, each with the face normal or its vertex's.
KDeviceVertex* DeviceVertices(const KMeshVertex* vertices, const KMeshFace* faces,
                              uint32_t faceCount, bool faceNormals) {
  if (!vertices || !faces || faceCount == 0) return nullptr;
  auto* array = new KDeviceVertex[size_t(faceCount) * 3];
  KDeviceVertex* next = array;
  for (uint32_t f = 0; f < faceCount; ++f) {
    const KMeshFace& face = faces[f];
    const uint32_t corners[3] = {face.a, face.b, face.c};
    for (int k = 0; k < 3; ++k) {
      const KMeshVertex& v = vertices[corners[k]];
      KDeviceVertex& out = *next++;
      out = {v.x, v.y, v.z, v.nx, v.ny, v.nz, face.corners[k].u, face.corners[k].v};
      if (faceNormals) {
        out.nx = face.nx;
        out.ny = face.ny;
        out.nz = face.nz;
      }
    }
  }
  return array;
}

}  // namespace

KObject3DDX::KObject3DDX() {
  SetBlendMode(true);
}

KObject3DDX::~KObject3DDX() {
  delete[] flatVertices;
  delete[] smoothVertices;
}

void KObject3DDX::SetDevice(int width, int height, IDirect3DDevice7* device) {
  SetDX3DDevice(width, height, device);
}

void KObject3DDX::Perspective(double fovYDegrees, double aspect, double zNear, double zFar) {
  const long double h = std::tan(static_cast<long double>(fovYDegrees) * kHalfDegree) *
                        static_cast<long double>(zNear);
  const long double w = h * static_cast<long double>(aspect);
  KMatrixPerspective(&projection.m[0][0], static_cast<float>(w), static_cast<float>(h),
                     static_cast<float>(zNear), static_cast<float>(zFar));
}

void KObject3DDX::Begin3D(bool clearDepth, bool ortho) {
  IDirect3DDevice7* device = g_dx3D.device;
  if (!device) return;
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, TRUE);
  const DWORD width = DWORD(g_dx3D.viewWidth), height = DWORD(g_dx3D.viewHeight);
  D3DVIEWPORT7 viewport{0, 0, width, height, 0.0f, 1.0f};
  device->SetViewport(&viewport);
  Perspective(45.0, g_dx3D.viewWidth / g_dx3D.viewHeight, 0.1, 500.0);
  if (!ortho) device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  if (clearDepth) {
    D3DRECT whole{0, 0, LONG(width), LONG(height)};
    device->Clear(1, &whole, D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  }
  device->LightEnable(0, TRUE);
  D3DLIGHT7 light = PassLight();
  device->SetLight(0, &light);
  for (D3DRENDERSTATETYPE source :
       {D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DRENDERSTATE_SPECULARMATERIALSOURCE,
        D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DRENDERSTATE_EMISSIVEMATERIALSOURCE}) {
    device->SetRenderState(source, D3DMCS_MATERIAL);
  }
  D3DMATERIAL7 material = PassMaterial();
  device->SetMaterial(&material);
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
  device->SetRenderState(D3DRENDERSTATE_AMBIENT, 0x00FFFFFF);
  g_dx3D.ortho = ortho;
  D3DMATRIX view = ZFlip();
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
}

void KObject3DDX::End3D() {
  IDirect3DDevice7* device = g_dx3D.device;
  if (!device) return;
  D3DMATRIX identity = Identity();
  for (D3DTRANSFORMSTATETYPE type :
       {D3DTRANSFORMSTATE_VIEW, D3DTRANSFORMSTATE_PROJECTION, D3DTRANSFORMSTATE_WORLD}) {
    device->SetTransform(type, &identity);
  }
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_FALSE);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, TRUE);
  device->LightEnable(0, FALSE);
}

void KObject3DDX::DrawFlat(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) {
  DrawVertices(flatVertices, D3DSHADE_FLAT, x, y, z, rotXDeg, rotYDeg, rotZDeg);
}

void KObject3DDX::DrawSmooth(float x, float y, float z, float rotXDeg, float rotYDeg,
                             float rotZDeg) {
  DrawVertices(smoothVertices, D3DSHADE_GOURAUD, x, y, z, rotXDeg, rotYDeg, rotZDeg);
}

void KObject3DDX::DrawVertices(KDeviceVertex* array, DWORD shadeMode, float x, float y, float z,
                               float rotXDeg, float rotYDeg, float rotZDeg) {
  IDirect3DDevice7* device = g_dx3D.device;
  if (!device) return;
  const float w = g_dx3D.viewWidth, h = g_dx3D.viewHeight;
  D3DMATRIX world;
  if (g_dx3D.ortho) {
    // x and y are pixels of the viewport from its top left, y downward.
    D3DMATRIX ortho = Matrix(KMatrixOrtho, w, h, -500.0f, 500.0f);
    device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &ortho);
    world = Matrix(KMatrixTranslation, x - w * 0.5f, (h - y) - h * 0.5f, z);
  } else {
    world = Matrix(KMatrixTranslation, x, y, z);
  }
  D3DMATRIX view = ZFlip();
  device->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  // A vertex turns about z, then y, then x, is scaled, then moved.
  if (scaleX != 1.0f || scaleY != 1.0f || scaleZ != 1.0f) {
    ApplyFirst(world, Matrix(KMatrixScale, scaleX, scaleY, scaleZ));
  }
  if (rotXDeg != 0.0f) ApplyFirst(world, Matrix(KMatrixRotationX, rotXDeg));
  if (rotYDeg != 0.0f) ApplyFirst(world, Matrix(KMatrixRotationY, rotYDeg));
  if (rotZDeg != 0.0f) ApplyFirst(world, Matrix(KMatrixRotationZ, rotZDeg));
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, blending ? TRUE : FALSE);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, blendSource);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, blendDestination);
  if (texture) {
    texture->BindRepeat();
    // The pictures' 2D draws leave clamped addressing; a mesh's coordinates repeat the texture.
    device->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_WRAP);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP);
    device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP);
  } else {
    device->SetTexture(0, nullptr);
    KGraphicDX::ForgetBoundTexture();
  }
  device->SetRenderState(D3DRENDERSTATE_SHADEMODE, shadeMode);
  if (!array) return;
  const size_t total = size_t(faceCount) * 3;
  for (size_t first = 0; first < total; first += kVerticesPerDraw) {
    const DWORD count = DWORD(std::min(kVerticesPerDraw, total - first));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, kDeviceVertexFormat, array + first, count, 0);
  }
}

void KObject3DDX::SetBlendMode(bool normal) {
  blendSource = D3DBLEND_SRCALPHA;
  blendDestination = normal ? D3DBLEND_INVSRCALPHA : D3DBLEND_DESTALPHA;
}

void KObject3DDX::FreeMesh() {
  delete[] flatVertices;
  delete[] smoothVertices;
  flatVertices = smoothVertices = nullptr;
  KObject3D::FreeMesh();
}

void KObject3DDX::BuildFlatVertices() {
  delete[] flatVertices;
  flatVertices = DeviceVertices(vertices, faces, faceCount, true);
}

void KObject3DDX::BuildSmoothVertices() {
  delete[] smoothVertices;
  smoothVertices = DeviceVertices(vertices, faces, faceCount, false);
}

void KObject3DDX::MeshLoaded() {
  BuildFlatVertices();
  BuildSmoothVertices();
}

KGraphic* KObject3DDX::MakeTexturePicture() {
  return new (std::nothrow) KGraphicDX();
}
