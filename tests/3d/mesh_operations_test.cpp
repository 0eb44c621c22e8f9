// The mesh operations the loaders share: vertex normals, face normals and centring.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "mesh_test_object.h"

namespace {

// The vertex normals worked out vertex by vertex: walk the faces in order, the normal following
// the faces seen so far, until two faces have used the vertex.
std::vector<KMeshVertex> ReferenceNormals(std::vector<KMeshVertex> vertices,
                                          const std::vector<KMeshFace>& faces) {
  if (faces.size() < 2) return vertices;
  for (uint32_t i = 0; i < vertices.size(); ++i) {
    double sum[3] = {0, 0, 0};
    int count = 0;
    for (const KMeshFace& face : faces) {
      if (face.a == i || face.b == i || face.c == i) {
        sum[0] += face.nx, sum[1] += face.ny, sum[2] += face.nz;
        ++count;
      }
      KMeshVertex& v = vertices[i];
      if (count == 0) {
        v.nx = face.nx, v.ny = face.ny, v.nz = face.nz;
      } else {
        v.nx = float(sum[0] / count), v.ny = float(sum[1] / count), v.nz = float(sum[2] / count);
        if (count == 2) break;
      }
    }
  }
  return vertices;
}

TEST(MeshOperations, VertexNormalsMatchTheVertexByVertexWalkOnRandomMeshes) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<float> unit(-1, 1);
  for (int round = 0; round < 40; ++round) {
    const uint32_t vertexCount = 1 + random() % 60, faceCount = random() % 120;
    // Small index ranges make faces that name a vertex twice and vertices that no face uses.
    const uint32_t range = round % 3 == 0 ? std::min(vertexCount, 3u) : vertexCount;
    std::vector<KMeshVertex> vertices(vertexCount);
    for (KMeshVertex& v : vertices) v = {unit(random), unit(random), unit(random), 9, 9, 9};
    std::vector<KMeshFace> faces(faceCount);
    for (KMeshFace& face : faces) {
      face = {};
      face.a = random() % range, face.b = random() % range, face.c = random() % range;
      face.nx = unit(random), face.ny = unit(random), face.nz = unit(random);
    }
    MeshTestObject object;
    object.SetMesh(vertices, faces);
    object.ComputeVertexNormals();
    const std::vector<KMeshVertex> expected = ReferenceNormals(vertices, faces);
    ASSERT_EQ(
        std::memcmp(object.Vertices().data(), expected.data(), sizeof(KMeshVertex) * vertexCount),
        0)
        << "round " << round << ": " << vertexCount << " vertices, " << faceCount << " faces";
  }
}

TEST(MeshOperations, FaceNormalsFaceTheViewerOfACounterClockwiseTriangle) {
  struct Row {
    KVector3d p0, p1, p2;
    std::vector<float> normal;
  } rows[] = {
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, 0, 0}, {0, 0, 3}, {0, 2, 0}, {-1, 0, 0}},
      {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {0, 0, 0}},
  };
  for (const Row& row : rows) {
    KMeshFace face = {};
    ComputeFaceNormal(&row.p0, &row.p1, &row.p2, &face);
    EXPECT_EQ(std::vector<float>({face.nx, face.ny, face.nz}), row.normal);
  }
}

TEST(MeshOperations, CentringKeepsTheOriginInTheBox) {
  const float rows[][4] = {{2, 4, 0, 2}, {-1, 3, -2, 2}};  // two x before and after
  for (const auto& row : rows) {
    MeshTestObject object;
    object.SetMesh({{row[0], 1, 0, 0, 0, 0}, {row[1], 1, 0, 0, 0, 0}}, {});
    object.CenterMesh();
    EXPECT_EQ(object.Vertices()[0].x, row[2]);
    EXPECT_EQ(object.Vertices()[1].x, row[3]);
    EXPECT_EQ(object.Vertices()[1].y, 0.5f);
  }
}

}  // namespace
