#include "MeshItems.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "KMiscTools.h"
#include "KObject3D.h"

namespace {

constexpr size_t kTextureNameField = 260;

// The index of the last backslash, ':' or '/', or -1.
int LastSeparator(const char* name) {
  int last = -1;
  for (int i = 0; name[i] != '\0'; ++i) {
    if (name[i] == '\\' || name[i] == ':' || name[i] == '/') last = i;
  }
  return last;
}

}  // namespace

bool SetScaledPosition(KMeshVertex* vertex, const float position[3], float scale) {
  const float x = position[0] * scale, y = position[1] * scale, z = position[2] * scale;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return false;
  vertex->x = x;
  vertex->y = y;
  vertex->z = z;
  return true;
}

bool SetFaceCorners(KMeshFace* face, const int corners[3], const KMeshVertex* vertices,
                    uint32_t vertexCount) {
  for (int k = 0; k < 3; ++k) {
    if (corners[k] < 0 || static_cast<uint32_t>(corners[k]) >= vertexCount) return false;
  }
  face->a = static_cast<uint32_t>(corners[0]);
  face->b = static_cast<uint32_t>(corners[1]);
  face->c = static_cast<uint32_t>(corners[2]);
  KVector3d p[3];
  for (int k = 0; k < 3; ++k) {
    const KMeshVertex& v = vertices[corners[k]];
    p[k] = {v.x, v.y, v.z};
  }
  ComputeFaceNormal(&p[0], &p[1], &p[2], face);
  return true;
}

void CopyTextureName(char* field, const char* name) {
  const size_t length = strnlen(name, kTextureNameField - 1);
  std::memcpy(field, name, length);
  field[length] = '\0';
}

void BuildTexturePath(const char* meshFileName, const char* textureFileName, char* out, int size) {
  const char* leaf = textureFileName + LastSeparator(textureFileName) + 1;
  const int folder = LastSeparator(meshFileName);
  if (folder >= 0) {
    std::snprintf(out, static_cast<size_t>(size), "%.*s\\%s", folder, meshFileName, leaf);
  } else {
    std::snprintf(out, static_cast<size_t>(size), "%s", leaf);
  }
  KMiscTools::SlashesToBackslashes(out);
}
