// The 3D object on the OpenGL renderer: immediate-mode triangles, lit by a white point light at
// (1, 1, 1) in eye coordinates, its textures OpenGL pictures bound with repeat addressing.
//
// The 3D pass always uses a 640 x 480 viewport at the lower left of the window, whatever the
// window's size. End3D leaves the 3D projection in place: a caller that draws 2D afterwards sets
// the 2D view again (SetDefaultWorldView, or the next frame's start). It lights differently from
// the Direct3D variant by design.
#pragma once

#include <cstdint>

#include "KObject3D.h"

// The 3D pass's viewport and orthographic area, shared by every OpenGL 3D object; nothing changes
// them.
inline constexpr float g_glView3DWidth = 640.0f;
inline constexpr float g_glView3DHeight = 480.0f;
// Whether the last Begin3D opened an orthographic pass; read by every OpenGL 3D object's draws.
extern bool g_glOrtho3D;

class KObject3DGL : public KObject3D {
 public:
  KObject3DGL();

  // Multiplies the current matrix by the frustum; selects no matrix itself.
  void Perspective(double fovYDegrees, double aspect, double zNear, double zFar) override;
  void Begin3D(bool clearDepth, bool ortho) override;
  // Turns depth test and lighting off and sets the 3D viewport again; the projection, shade
  // model, light, blending, texturing and colour stay as the pass left them.
  void End3D() override;
  // In an orthographic pass y is turned over against the viewport's height.
  void DrawFlat(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) override;
  void DrawSmooth(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) override;
  // Takes effect at the next draw.
  void SetBlendMode(bool normal) override;

 protected:
  KGraphic* MakeTexturePicture() override;
  const char* BinaryMagic() const override { return " d3k"; }

  // The factors of SetBlendMode, the normal pair from construction on.
  uint32_t blendSource;
  uint32_t blendDestination;

 private:
  // Places the object, sets blending, texturing and the shading's material, and sends the
  // triangles with the face normals (flat) or the vertex normals (smooth).
  void DrawMesh(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg,
                bool smooth);
};
