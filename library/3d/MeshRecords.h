// The records of a mesh as they lie in memory and in a binary mesh file: packed, little-endian,
// moved to and from the file whole.
#pragma once

#include <cstddef>
#include <cstdint>

struct KMeshVertex {
  float x, y, z;     // position, scaled and centred by the loaders
  float nx, ny, nz;  // vertex normal
};

struct KMeshCorner {
  float u, v;
  uint32_t reserved[4];  // read and written as they are, never used
};

struct KMeshFace {
  uint32_t a, b, c;        // vertex indices; every loader checks them against the vertex count
  float nx, ny, nz;        // face normal
  KMeshCorner corners[3];  // in the order a, b, c
};

// The first 272 bytes of a binary mesh file.
struct KMeshFileHeader {
  char magic[4];
  char textureFileName[260];  // zero-terminated, the rest zero
  uint32_t vertexCount;
  uint32_t faceCount;
};

// The vertex the Direct3D device receives (position, normal, one texture coordinate pair).
struct KDeviceVertex {
  float x, y, z;
  float nx, ny, nz;
  float tu, tv;
};
inline constexpr uint32_t kDeviceVertexFormat = 0x112;

static_assert(sizeof(KMeshVertex) == 24);
static_assert(sizeof(KMeshCorner) == 24 && offsetof(KMeshCorner, reserved) == 8);
static_assert(sizeof(KMeshFace) == 96 && offsetof(KMeshFace, nx) == 12 &&
              offsetof(KMeshFace, corners) == 24);
static_assert(sizeof(KMeshFileHeader) == 272 && offsetof(KMeshFileHeader, vertexCount) == 264 &&
              offsetof(KMeshFileHeader, faceCount) == 268);
static_assert(sizeof(KDeviceVertex) == 32 && offsetof(KDeviceVertex, nx) == 12 &&
              offsetof(KDeviceVertex, tu) == 24);

// Three doubles, the precision the normals are worked out in.
struct KVector3d {
  double x, y, z;
};
double KVector3dLength(const KVector3d& v);
double KVector3dDot(const KVector3d& a, const KVector3d& b);
void KVector3dCross(KVector3d* out, const KVector3d& a, const KVector3d& b);
