// A 3D object for the mesh tests: its textures are recording pictures (or none), it writes the
// magic it is given, records each finished mesh a load hands it, and shows its mesh.
#pragma once

#include <string>
#include <vector>

#include "drawless_object.h"
#include "game_recording_graphic.h"

class MeshTestObject : public DrawlessObject {
 public:
  // In order: "MeshLoaded <vertices> <faces>" and "LoadPicture <path>".
  std::vector<std::string> events;
  bool makePictures = true, picturesLoad = true;
  int livePictures = 0;
  const char* magic = " d3k";

  // Owned pictures go before the counters they report to.
  ~MeshTestObject() override { FreeMesh(); }

  std::vector<KMeshVertex> Vertices() const { return {vertices, vertices + vertexCount}; }
  std::vector<KMeshFace> Faces() const { return {faces, faces + faceCount}; }
  bool HasNoMesh() const { return !vertices && !faces && vertexCount == 0 && faceCount == 0; }
  std::string TextureName() const { return textureFileName; }
  bool OwnsTexture() const { return ownsTexture; }
  KGraphic* Texture() const { return texture; }

  void SetMesh(const std::vector<KMeshVertex>& newVertices,
               const std::vector<KMeshFace>& newFaces) {
    FreeMesh();
    vertices = new KMeshVertex[newVertices.size()];
    faces = new KMeshFace[newFaces.size()];
    std::copy(newVertices.begin(), newVertices.end(), vertices);
    std::copy(newFaces.begin(), newFaces.end(), faces);
    vertexCount = static_cast<uint32_t>(newVertices.size());
    faceCount = static_cast<uint32_t>(newFaces.size());
  }

 protected:
  KGraphic* MakeTexturePicture() override { return makePictures ? new Picture(this) : nullptr; }
  void MeshLoaded() override {
    events.push_back("MeshLoaded " + std::to_string(vertexCount) + " " + std::to_string(faceCount));
  }
  const char* BinaryMagic() const override { return magic; }

 private:
  class Picture : public RecordingGraphic {
   public:
    explicit Picture(MeshTestObject* owner) : owner_(owner) { ++owner_->livePictures; }
    ~Picture() override { --owner_->livePictures; }
    bool LoadPicture(const char* path, bool, bool) override {
      owner_->events.push_back(std::string("LoadPicture ") + path);
      return owner_->picturesLoad;
    }

   private:
    MeshTestObject* owner_;
  };
};
