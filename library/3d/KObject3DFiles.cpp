// The file loaders: the text formats are read whole and loaded from memory, the binary format
// is read straight into the mesh arrays.
#include "KMiscTools.h"
#include "KObject3D.h"
#include "MeshFile.h"
#include "MeshItems.h"

void KObject3D::BeginLoad() {
  FreeMesh();
  textureFileName[0] = '\0';
}

bool KObject3D::FailLoad() {
  FreeMesh();
  return false;
}

void KObject3D::LoadTexturePicture(const char* meshFileName) {
  char path[300];
  BuildTexturePath(meshFileName, textureFileName, path, sizeof path);
  KGraphic* picture = MakeTexturePicture();
  if (picture) {
    texture = picture;
    ownsTexture = true;
  }
  if (!picture || !picture->LoadPicture(path, true, true)) {
    KMiscTools::ShowMessageBox("Could not load texture", "");
  }
}

bool KObject3D::LoadASE(const char* fileName, float scale, bool loadTexture) {
  BeginLoad();
  MeshFileBytes file;
  if (!ReadMeshFile(fileName, &file)) {
    KMiscTools::ShowMessageBox("File not found", fileName);
    return false;
  }
  return LoadASEFromMemory(fileName, file.data.get(), file.size, scale, loadTexture);
}

bool KObject3D::LoadText(const char* fileName, float scale, bool) {
  BeginLoad();
  MeshFileBytes file;
  if (!ReadMeshFile(fileName, &file)) {
    KMiscTools::ShowMessageBox("File not found", fileName);
    return false;
  }
  return LoadTextFromMemory(file.data.get(), file.size, scale);
}

bool KObject3D::LoadBinary(const char* fileName, bool loadTexture) {
  BeginLoad();
  MeshFileReader reader(fileName);
  return reader.IsOpen() && LoadBinaryFrom(fileName, &reader, loadTexture);
}
