// A 3D object that draws nothing and makes no pictures, for the mesh tests, the mesh fuzz
// targets and the mesh benchmark: it opens the loaders on memory to them.
#pragma once

#include "KObject3D.h"

class DrawlessObject : public KObject3D {
 public:
  using KObject3D::LoadASEFromMemory;
  using KObject3D::LoadBinaryFromMemory;
  using KObject3D::LoadTextFromMemory;

  void Perspective(double, double, double, double) override {}
  void Begin3D(bool, bool) override {}
  void End3D() override {}
  void DrawFlat(float, float, float, float, float, float) override {}
  void DrawSmooth(float, float, float, float, float, float) override {}
  void SetBlendMode(bool) override {}

 protected:
  KGraphic* MakeTexturePicture() override { return nullptr; }
  const char* BinaryMagic() const override { return " d3k"; }
};
