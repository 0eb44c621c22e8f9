// The 3D object on the DirectX renderer: it draws through the Direct3D device that the DirectX
// window hands over, in the window's whole size, lit by one white point light behind the viewer
// through a fixed material (half grey ambient under a white ambient light, white diffuse). The two
// renderers light differently by design; the OpenGL variant lights by its own rules.
//
// The mesh is copied into two arrays of device vertices at each load: three a face, with the face
// normal (flat) or the vertex normals (smooth), sent in draws of at most 65535 vertices, the most
// the device takes at once. A texture repeats across the mesh. Before the window has handed over a
// device, and after it has released it, passes and draws do nothing. End3D leaves the view,
// projection and world transforms identities and lighting, the depth test and the light off, which
// is not the 2D view: a caller that draws 2D afterwards sets the 2D view again.
#pragma once

#include <cstdint>

#include "KObject3D.h"
#include "platform/win32.h"

class KObject3DDX : public KObject3D {
 public:
  KObject3DDX();
  ~KObject3DDX() override;

  // The device every Direct3D 3D object draws on and the size of its 3D viewport; the DirectX
  // window hands them over each time it makes its device.
  static void SetDevice(int width, int height, IDirect3DDevice7* device);

  void Perspective(double fovYDegrees, double aspect, double zNear, double zFar) override;
  void Begin3D(bool clearDepth, bool ortho) override;
  void End3D() override;
  void DrawFlat(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) override;
  void DrawSmooth(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) override;
  void SetBlendMode(bool normal) override;
  // Frees the device vertex arrays, then the mesh and an owned texture.
  void FreeMesh() override;

  void BuildFlatVertices();
  void BuildSmoothVertices();

 protected:
  KGraphic* MakeTexturePicture() override;
  void MeshLoaded() override;
  const char* BinaryMagic() const override { return " D3K"; }

 private:
  // Places the object and sends the array with the shade mode, in calls the device takes.
  void DrawVertices(KDeviceVertex* array, DWORD shadeMode, float x, float y, float z, float rotXDeg,
                    float rotYDeg, float rotZDeg);

  KDeviceVertex* flatVertices = nullptr;
  KDeviceVertex* smoothVertices = nullptr;
  uint32_t blendSource = D3DBLEND_SRCALPHA;
  uint32_t blendDestination = D3DBLEND_INVSRCALPHA;
  D3DMATRIX projection{};  // written by Perspective
};
