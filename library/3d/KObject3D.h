// One textured triangle mesh that loads itself from a mesh file, saves itself as a binary mesh and
// draws itself, lit by one white light, inside a 3D pass opened with Begin3D and closed with
// End3D between the 2D drawing of a frame. The loaders, the writer and the mesh operations are
// shared; each renderer's variant gives its pass, its drawing and the hooks below.
//
// End3D leaves the 3D projection in place: a caller that draws 2D afterwards sets the 2D view
// again (SetDefaultWorldView, or the next frame's start). Normals are not renormalised after
// averaging, and centring always keeps the origin inside the box it centres. A failed load shows
// its reason in a message box, in the loaders' long-standing words (kept as they are, spelling
// included, for programs that look for them), and leaves no mesh.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KGraphic.h"
#include "MeshRecords.h"

class MeshFileReader;

class KObject3D {
 public:
  KObject3D() = default;
  // Frees the mesh and an owned texture.
  virtual ~KObject3D();
  KObject3D(const KObject3D&) = delete;
  KObject3D& operator=(const KObject3D&) = delete;

  // A symmetric frustum of the vertical angle (degrees) and aspect between the two depths.
  virtual void Perspective(double fovYDegrees, double aspect, double zNear, double zFar) = 0;
  // Opens a 3D pass: viewport, projection (perspective 45 degrees, or orthographic over the
  // viewport in pixels from its top left), depth test and the light; clears depth when asked.
  virtual void Begin3D(bool clearDepth, bool ortho) = 0;
  virtual void End3D() = 0;
  virtual void SetScale(float sx, float sy, float sz);
  // 0 flat, 1 smooth; any other mode draws nothing.
  virtual void SetShadingMode(int mode);
  // Draws at the position, turned about z, then y, then x (degrees), with the shading mode.
  virtual void Draw(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg);
  virtual void DrawFlat(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) = 0;
  virtual void DrawSmooth(float x, float y, float z, float rotXDeg, float rotYDeg,
                          float rotZDeg) = 0;
  // Source alpha over one minus source alpha when normal, over destination alpha otherwise.
  virtual void SetBlendMode(bool normal) = 0;
  // Uses the picture (null for none) without owning it; deletes a texture a loader had made.
  virtual void SetTexture(KGraphic* picture);
  virtual void SetBlending(bool enabled, float alpha);
  virtual bool LoadASE(const char* fileName, float scale, bool loadTexture);
  virtual bool LoadText(const char* fileName, float scale, bool loadTexture);
  virtual bool LoadBinary(const char* fileName, bool loadTexture);
  virtual bool SaveBinary(const char* fileName);
  // Frees the mesh and an owned texture; a texture given with SetTexture stays.
  virtual void FreeMesh();

  // Moves the mesh so that the centre of its box (which holds the origin) is the origin.
  void CenterMesh();
  // Each vertex's normal is the mean of the normals of the first two faces that use it (the one
  // face's normal when only one does); nothing for fewer than two faces.
  void ComputeVertexNormals();

 protected:
  // A new, empty picture of the renderer this object draws with; null when it can't be made.
  virtual KGraphic* MakeTexturePicture() = 0;
  // A load has just filled the mesh arrays for good.
  virtual void MeshLoaded() {}
  // The four bytes a saved binary mesh begins with.
  virtual const char* BinaryMagic() const = 0;

  // The loaders on a mesh file already in memory: size bytes, no terminator needed. Each frees
  // the mesh first; fileName only places the texture. The file loaders read the file and call
  // these.
  bool LoadASEFromMemory(const char* fileName, const char* text, size_t size, float scale,
                         bool loadTexture);
  bool LoadTextFromMemory(const char* text, size_t size, float scale);
  bool LoadBinaryFromMemory(const char* fileName, const char* bytes, size_t size, bool loadTexture);

  KGraphic* texture = nullptr;
  bool ownsTexture = false;
  char textureFileName[260] = {};
  bool blending = false;
  float alpha = 1.0f;
  float scaleX = 1.0f, scaleY = 1.0f, scaleZ = 1.0f;
  int shadingMode = 0;
  KMeshVertex* vertices = nullptr;
  KMeshFace* faces = nullptr;
  uint32_t vertexCount = 0;
  uint32_t faceCount = 0;

 private:
  // Frees the mesh and forgets the texture name of the previous load.
  void BeginLoad();
  // Frees what a failed load had read; false.
  bool FailLoad();
  // The binary loader on the file's bytes, read straight into the mesh arrays.
  bool LoadBinaryFrom(const char* fileName, MeshFileReader* reader, bool loadTexture);
  // The corners' texture coordinates from the texture vertex and face lists of an ASE text;
  // false when an item that the counts promise is missing or unreadable.
  bool LoadTextureCoords(const char* text, int length);
  // Makes the owned texture and loads textureFileName from the mesh file's folder.
  void LoadTexturePicture(const char* meshFileName);
};

// The face's unit normal from its corners a, b, c (counter-clockwise seen from the front points
// toward the viewer); (0, 0, 0) for a triangle without area.
void ComputeFaceNormal(const KVector3d* p0, const KVector3d* p1, const KVector3d* p2,
                       KMeshFace* face);
