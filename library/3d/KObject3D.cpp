#include "KObject3D.h"

#include <cmath>
#include <vector>

double KVector3dLength(const KVector3d& v) {
  return std::sqrt(v.z * v.z + v.y * v.y + v.x * v.x);
}

double KVector3dDot(const KVector3d& a, const KVector3d& b) {
  return a.z * b.z + a.y * b.y + a.x * b.x;
}

void KVector3dCross(KVector3d* out, const KVector3d& a, const KVector3d& b) {
  *out = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void ComputeFaceNormal(const KVector3d* p0, const KVector3d* p1, const KVector3d* p2,
                       KMeshFace* face) {
  const KVector3d e1{p1->x - p0->x, p1->y - p0->y, p1->z - p0->z};
  const KVector3d e2{p2->x - p0->x, p2->y - p0->y, p2->z - p0->z};
  KVector3d n;
  KVector3dCross(&n, e1, e2);
  const double length = KVector3dLength(n);
  // A triangle without area has no direction: a zero normal keeps NaN out of the vertex normals.
  const double s = length > 0.0 ? 1.0 / length : 0.0;
  face->nx = static_cast<float>(n.x * s);
  face->ny = static_cast<float>(n.y * s);
  face->nz = static_cast<float>(n.z * s);
}

KObject3D::~KObject3D() {
  delete[] vertices;
  delete[] faces;
  if (ownsTexture) delete texture;
}

void KObject3D::SetScale(float sx, float sy, float sz) {
  scaleX = sx;
  scaleY = sy;
  scaleZ = sz;
}

void KObject3D::SetShadingMode(int mode) {
  shadingMode = mode;
}

void KObject3D::Draw(float x, float y, float z, float rotXDeg, float rotYDeg, float rotZDeg) {
  if (shadingMode == 0) {
    DrawFlat(x, y, z, rotXDeg, rotYDeg, rotZDeg);
  } else if (shadingMode == 1) {
    DrawSmooth(x, y, z, rotXDeg, rotYDeg, rotZDeg);
  }
}

void KObject3D::SetTexture(KGraphic* picture) {
  if (ownsTexture) delete texture;
  ownsTexture = false;
  texture = picture;
}

void KObject3D::SetBlending(bool enabled, float alphaValue) {
  blending = enabled;
  alpha = alphaValue;
}

void KObject3D::FreeMesh() {
  delete[] vertices;
  delete[] faces;
  vertices = nullptr;
  faces = nullptr;
  vertexCount = faceCount = 0;
  if (ownsTexture) {
    delete texture;
    texture = nullptr;
    ownsTexture = false;
  }
}

void KObject3D::CenterMesh() {
  if (vertices == nullptr || vertexCount == 0) return;
  float low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
  for (uint32_t i = 0; i < vertexCount; ++i) {
    const float position[3] = {vertices[i].x, vertices[i].y, vertices[i].z};
    for (int axis = 0; axis < 3; ++axis) {
      if (position[axis] < low[axis]) low[axis] = position[axis];
      if (position[axis] > high[axis]) high[axis] = position[axis];
    }
  }
  const float centre[3] = {(low[0] + high[0]) * 0.5f, (low[1] + high[1]) * 0.5f,
                           (low[2] + high[2]) * 0.5f};
  for (uint32_t i = 0; i < vertexCount; ++i) {
    vertices[i].x -= centre[0];
    vertices[i].y -= centre[1];
    vertices[i].z -= centre[2];
  }
}

// One pass over the faces: each vertex adds up the normals of the first two faces that use it
// (a face that names a vertex twice counts once). A vertex that no face uses takes the last
// face's normal.
void KObject3D::ComputeVertexNormals() {
  if (faceCount < 2 || vertexCount == 0) return;
  std::vector<KVector3d> sums(vertexCount, KVector3d{0, 0, 0});
  std::vector<uint8_t> counts(vertexCount, 0);
  for (uint32_t f = 0; f < faceCount; ++f) {
    const KMeshFace& face = faces[f];
    const uint32_t corners[3] = {face.a, face.b, face.c};
    for (int k = 0; k < 3; ++k) {
      const uint32_t i = corners[k];
      if (i >= vertexCount || counts[i] >= 2) continue;
      if ((k > 0 && i == corners[0]) || (k > 1 && i == corners[1])) continue;
      sums[i].x += face.nx;
      sums[i].y += face.ny;
      sums[i].z += face.nz;
      ++counts[i];
    }
  }
  const KMeshFace& last = faces[faceCount - 1];
  for (uint32_t i = 0; i < vertexCount; ++i) {
    KMeshVertex& vertex = vertices[i];
    if (counts[i] == 0) {
      vertex.nx = last.nx;
      vertex.ny = last.ny;
      vertex.nz = last.nz;
    } else {
      vertex.nx = static_cast<float>(sums[i].x / counts[i]);
      vertex.ny = static_cast<float>(sums[i].y / counts[i]);
      vertex.nz = static_cast<float>(sums[i].z / counts[i]);
    }
  }
}
