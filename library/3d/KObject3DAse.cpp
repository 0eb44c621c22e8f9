// The ASE text loader: counts, vertex list, face list, texture name and texture coordinates,
// each found by keyword from the previous item on.
#include <algorithm>
#include <charconv>
#include <memory>
#include <new>

#include "KMiscTools.h"
#include "KObject3D.h"
#include "MeshFile.h"
#include "MeshItems.h"
#include "MeshText.h"

namespace {

// The fewest bytes an item can take, keyword to last number ("*MESH_VERTEX 01 2 3",
// "*MESH_FACE01 2 3", "*MESH_TVERT01 2"): a count above the text's length over these cannot be
// met and is refused before anything is allocated.
constexpr int kShortestVertex = 19;
constexpr int kShortestFace = 16;
constexpr int kShortestTextureVertex = 15;

// Item number index after the keyword, from p on: the position after its index text, or -1.
int FindItem(std::string_view keyword, int index, const char* text, int length, int p) {
  p = FindKeyword(keyword, text, length, p);
  if (p < 0) return -1;
  char digits[16];
  const int n = static_cast<int>(std::to_chars(digits, digits + sizeof digits, index).ptr - digits);
  const int q = FindKeyword(std::string_view(digits, static_cast<size_t>(n)), text, length, p);
  return q < 0 ? -1 : q + n;
}

// count numbers in a row from pos: the position after the last, or -1.
int ReadFloats(const char* text, int pos, int length, float* values, int count) {
  for (int i = 0; i < count && pos >= 0; ++i) pos = ReadFloat(text, pos, length, &values[i]);
  return pos;
}

int ReadInts(const char* text, int pos, int length, int* values, int count) {
  for (int i = 0; i < count && pos >= 0; ++i) pos = ReadInt(text, pos, length, &values[i]);
  return pos;
}

// The list keyword from p on, or p when the list has none (its items are found all the same).
int ListStart(std::string_view keyword, const char* text, int length, int p) {
  const int found = FindKeyword(keyword, text, length, p);
  return found >= 0 ? found : p;
}

struct TexturePair {
  float u, v;
};

}  // namespace

bool KObject3D::LoadASEFromMemory(const char* fileName, const char* text, size_t size, float scale,
                                  bool loadTexture) {
  BeginLoad();
  if (size > kMeshFileLimit) return false;
  const int length = static_cast<int>(size);
  const int newVertexCount = FindKeywordInt("*MESH_NUMVERTEX", text, 0, length);
  if (newVertexCount < 1) {
    KMiscTools::ShowMessageBox("No Vertices", "");
    return false;
  }
  const int newFaceCount = FindKeywordInt("*MESH_NUMFACES ", text, 0, length);
  if (newFaceCount < 1) {
    KMiscTools::ShowMessageBox("No faces in this asc", "");
    return false;
  }
  if (newVertexCount > length / kShortestVertex || newFaceCount > length / kShortestFace) {
    return false;
  }

  vertices = new (std::nothrow) KMeshVertex[newVertexCount]();
  if (!vertices) return false;
  vertexCount = static_cast<uint32_t>(newVertexCount);
  int p = ListStart("*MESH_VERTEX_LIST", text, length, 0);
  for (int i = 0; i < newVertexCount; ++i) {
    float position[3];
    p = ReadFloats(text, FindItem("*MESH_VERTEX ", i, text, length, p), length, position, 3);
    if (p < 0 || !SetScaledPosition(&vertices[i], position, scale)) return FailLoad();
  }
  CenterMesh();

  const int list = FindKeyword("*MESH_FACE_LIST", text, length, p);
  if (list < 0) {
    KMiscTools::ShowMessageBox("no faces node found! (*MESH_FACE_LIST)", "");
  } else {
    p = list;
  }
  faces = new (std::nothrow) KMeshFace[newFaceCount]();
  if (!faces) return FailLoad();
  faceCount = static_cast<uint32_t>(newFaceCount);
  for (int i = 0; i < newFaceCount; ++i) {
    int corners[3];
    p = ReadInts(text, FindItem("*MESH_FACE", i, text, length, p), length, corners, 3);
    if (p < 0 || !SetFaceCorners(&faces[i], corners, vertices, vertexCount)) return FailLoad();
  }
  ComputeVertexNormals();

  char path[300];
  if (ReadQuotedPath(text, 0, length, path, sizeof path) == 0) {
    MeshLoaded();
    return true;
  }
  if (path[0] != '\0') {
    CopyTextureName(textureFileName, path);
    if (loadTexture) LoadTexturePicture(fileName);
  }
  if (!LoadTextureCoords(text, length)) return FailLoad();
  MeshLoaded();
  return true;
}

bool KObject3D::LoadTextureCoords(const char* text, int length) {
  const int pairCount = FindKeywordInt("*MESH_NUMTVERTEX", text, 0, length);
  if (pairCount < 1) return true;
  if (pairCount > length / kShortestTextureVertex) return false;
  std::unique_ptr<TexturePair[]> pairs(new (std::nothrow) TexturePair[pairCount]);
  if (!pairs) return false;
  int p = ListStart("*MESH_TVERTLIST", text, length, 0);
  for (int i = 0; i < pairCount; ++i) {
    float uv[2];
    p = ReadFloats(text, FindItem("*MESH_TVERT", i, text, length, p), length, uv, 2);
    if (p < 0) return false;
    pairs[i] = {uv[0], uv[1]};
  }

  const int textureFaceCount = FindKeywordInt("*MESH_NUMTVFACES ", text, p, length);
  if (textureFaceCount > 0 && static_cast<uint32_t>(textureFaceCount) > faceCount) {
    KMiscTools::ShowMessageBox("Texture mapping count doesn't match polygon count", "");
  }
  p = ListStart("*MESH_TFACELIST", text, length, p);
  // Every corner starts at (0, 0) from the load's zeroed faces; a corner whose texture vertex is
  // not in the list gets (0, 1), as if that vertex were (0, 0).
  for (int i = 0; i < textureFaceCount; ++i) {
    int indices[3];
    p = ReadInts(text, FindItem("*MESH_TFACE", i, text, length, p), length, indices, 3);
    if (p < 0) return false;
    if (static_cast<uint32_t>(i) >= faceCount) continue;
    for (int k = 0; k < 3; ++k) {
      const bool known = indices[k] >= 0 && indices[k] < pairCount;
      const TexturePair pair = known ? pairs[indices[k]] : TexturePair{0, 0};
      faces[i].corners[k].u = pair.u;
      faces[i].corners[k].v = 1 - pair.v;
    }
  }
  return true;
}
