// The mesh operations the loaders share: face normals, vertex normals and centring.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "mesh_test_object.h"

namespace {

KMeshFace Face(uint32_t a, uint32_t b, uint32_t c, float nx, float ny, float nz) {
  KMeshFace face = {};
  face.a = a;
  face.b = b;
  face.c = c;
  face.nx = nx;
  face.ny = ny;
  face.nz = nz;
  return face;
}

// The vertex normals worked out vertex by vertex, walking the faces in order until two of them
// have used the vertex.
std::vector<KMeshVertex> ReferenceNormals(std::vector<KMeshVertex> vertices,
                                          const std::vector<KMeshFace>& faces) {
  if (faces.size() < 2) return vertices;
  for (uint32_t i = 0; i < vertices.size(); ++i) {
    double sum[3] = {0, 0, 0};
    int count = 0;
    for (const KMeshFace& face : faces) {
      if (face.a == i || face.b == i || face.c == i) {
        sum[0] += face.nx;
        sum[1] += face.ny;
        sum[2] += face.nz;
        ++count;
      }
      KMeshVertex& v = vertices[i];
      if (count == 0) {
        v.nx = face.nx;
        v.ny = face.ny;
        v.nz = face.nz;
      } else {
        v.nx = static_cast<float>(sum[0] / count);
        v.ny = static_cast<float>(sum[1] / count);
        v.nz = static_cast<float>(sum[2] / count);
        if (count == 2) break;
      }
    }
  }
  return vertices;
}

TEST(MeshOperations, VertexNormalsMatchTheVertexByVertexWalkOnRandomMeshes) {
  std::mt19937 random(2024);
  for (int round = 0; round < 40; ++round) {
    const uint32_t vertexCount = 1 + random() % 60;
    const uint32_t faceCount = random() % 120;
    std::uniform_real_distribution<float> unit(-1, 1);
    std::vector<KMeshVertex> vertices(vertexCount);
    for (KMeshVertex& v : vertices) v = {unit(random), unit(random), unit(random), 9, 9, 9};
    std::vector<KMeshFace> faces;
    for (uint32_t f = 0; f < faceCount; ++f) {
      // Small index ranges make faces that name a vertex twice and vertices no face uses.
      const uint32_t range = round % 3 == 0 ? std::min(vertexCount, 3u) : vertexCount;
      faces.push_back(Face(random() % range, random() % range, random() % range, unit(random),
                           unit(random), unit(random)));
    }
    MeshTestObject object;
    object.SetMesh(vertices, faces);
    object.ComputeVertexNormals();
    const std::vector<KMeshVertex> expected = ReferenceNormals(vertices, faces);
    const std::vector<KMeshVertex> actual = object.Vertices();
    ASSERT_EQ(std::memcmp(actual.data(), expected.data(), sizeof(KMeshVertex) * vertexCount), 0)
        << "round " << round << ", " << vertexCount << " vertices, " << faceCount << " faces";
  }
}

TEST(MeshOperations, AVertexSharedByThreeFacesTakesTheMeanOfTheFirstTwo) {
  MeshTestObject object;
  object.SetMesh({{0, 0, 0, 7, 7, 7}, {1, 0, 0, 7, 7, 7}, {0, 1, 0, 7, 7, 7}},
                 {Face(0, 1, 2, 1, 0, 0), Face(0, 2, 1, 0, 1, 0), Face(0, 1, 1, 0, 0, 1)});
  object.ComputeVertexNormals();
  const KMeshVertex shared = object.Vertices()[0];
  EXPECT_FLOAT_EQ(shared.nx, 0.5f);
  EXPECT_FLOAT_EQ(shared.ny, 0.5f);
  EXPECT_FLOAT_EQ(shared.nz, 0.0f);

  object.SetMesh({{0, 0, 0, 7, 7, 7}}, {Face(0, 0, 0, 1, 0, 0)});
  object.ComputeVertexNormals();
  EXPECT_EQ(object.Vertices()[0].nx, 7.0f) << "one face: no vertex normals";
}

TEST(MeshOperations, FaceNormalsPointTowardTheViewerOfACounterClockwiseTriangle) {
  struct Row {
    KVector3d p0, p1, p2;
    float nx, ny, nz;
  } rows[] = {
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 0, 0, 1},  {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 0, 0, -1},
      {{0, 0, 0}, {0, 0, 3}, {0, 2, 0}, -1, 0, 0}, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, 0, 0, 0},
      {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}, 0, 0, 0},
  };
  for (const Row& row : rows) {
    KMeshFace face = {};
    ComputeFaceNormal(&row.p0, &row.p1, &row.p2, &face);
    EXPECT_EQ(face.nx, row.nx);
    EXPECT_EQ(face.ny, row.ny);
    EXPECT_EQ(face.nz, row.nz);
  }
}

TEST(MeshOperations, CentringKeepsTheOriginInTheBox) {
  struct Row {
    float low, high;                // x of the two vertices
    float centredLow, centredHigh;  // after centring
  } rows[] = {
      {2, 4, 0, 2},
      {-4, -2, -2, 0},
      {-1, 3, -2, 2},
  };
  for (const Row& row : rows) {
    MeshTestObject object;
    object.SetMesh({{row.low, 1, -1, 0, 0, 0}, {row.high, 1, 1, 0, 0, 0}}, {});
    object.CenterMesh();
    EXPECT_EQ(object.Vertices()[0].x, row.centredLow);
    EXPECT_EQ(object.Vertices()[1].x, row.centredHigh);
    EXPECT_EQ(object.Vertices()[0].y, 0.5f);
    EXPECT_EQ(object.Vertices()[1].z, 1.0f);
  }
}

}  // namespace
