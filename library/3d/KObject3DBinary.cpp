// The binary mesh: a 272-byte header, then the vertex and face arrays as they lie in memory.
#include <cstring>
#include <new>

#include "KMiscTools.h"
#include "KObject3D.h"
#include "MeshFile.h"
#include "MeshItems.h"
#include "platform/win32_user.h"

namespace {

// The binary reader's messages go straight to a box without owner or caption.
void ShowBinaryError(const char* text) {
  MessageBoxA(nullptr, text, nullptr, MB_OK);
}

}  // namespace

bool KObject3D::LoadBinaryFromMemory(const char* fileName, const char* bytes, size_t size,
                                     bool loadTexture) {
  MeshFileReader reader(bytes, size);
  return LoadBinaryFrom(fileName, &reader, loadTexture);
}

bool KObject3D::LoadBinaryFrom(const char* fileName, MeshFileReader* reader, bool loadTexture) {
  BeginLoad();
  KMeshFileHeader header;
  if (!reader->Read(&header, sizeof header)) {
    ShowBinaryError("Error _faceCount <= 0 || _pointCount <= 0");
    return false;
  }
  CopyTextureName(textureFileName, header.textureFileName);
  const uint32_t newFaceCount =
      static_cast<uint32_t>(KMiscTools::SwapInt(static_cast<int32_t>(header.faceCount)));
  const uint32_t newVertexCount =
      static_cast<uint32_t>(KMiscTools::SwapInt(static_cast<int32_t>(header.vertexCount)));
  if (newFaceCount == 0 || newVertexCount == 0) {
    ShowBinaryError("Error _faceCount <= 0 || _pointCount <= 0");
    return false;
  }

  // Records that the file cannot hold are refused as arrays that cannot be allocated.
  const uint64_t vertexBytes = uint64_t{sizeof(KMeshVertex)} * newVertexCount;
  const uint64_t faceBytes = uint64_t{sizeof(KMeshFace)} * newFaceCount;
  if (reader->Remaining() >= vertexBytes) vertices = new (std::nothrow) KMeshVertex[newVertexCount];
  if (!vertices || !reader->Read(vertices, vertexBytes)) {
    ShowBinaryError("Error meshPtr==NULL");
    return FailLoad();
  }
  vertexCount = newVertexCount;
  if (reader->Remaining() >= faceBytes) faces = new (std::nothrow) KMeshFace[newFaceCount];
  if (!faces || !reader->Read(faces, faceBytes)) {
    ShowBinaryError("Error meshFacesPtr==NULL");
    return FailLoad();
  }
  faceCount = newFaceCount;
  for (const KMeshFace* face = faces; face != faces + faceCount; ++face) {
    if (face->a >= vertexCount || face->b >= vertexCount || face->c >= vertexCount) {
      return FailLoad();
    }
  }
  MeshLoaded();
  if (loadTexture) LoadTexturePicture(fileName);
  return true;
}

bool KObject3D::SaveBinary(const char* fileName) {
  if (faceCount == 0) return false;
  KMeshFileHeader header = {};
  std::memcpy(header.magic, BinaryMagic(), sizeof header.magic);
  CopyTextureName(header.textureFileName, textureFileName);
  header.vertexCount =
      static_cast<uint32_t>(KMiscTools::SwapInt(static_cast<int32_t>(vertexCount)));
  header.faceCount = static_cast<uint32_t>(KMiscTools::SwapInt(static_cast<int32_t>(faceCount)));
  return WriteMeshFile(fileName, {{&header, sizeof header},
                                  {vertices, sizeof(KMeshVertex) * vertexCount},
                                  {faces, sizeof(KMeshFace) * faceCount}});
}
