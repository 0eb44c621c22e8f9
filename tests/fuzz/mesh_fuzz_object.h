// The 3D object the mesh fuzz targets load into. After a load that succeeds, CheckMesh stops the
// run when the mesh breaks a loader's promise.
#pragma once

#include <cmath>
#include <cstdlib>

#include "../3d/drawless_object.h"
#include "platform/message_boxes.h"

class MeshFuzzObject : public DrawlessObject {
 public:
  MeshFuzzObject() { platform::CaptureMessageBoxes(true); }
  ~MeshFuzzObject() override { platform::TakeMessageBoxes(); }

  // Every face names vertices of the mesh; the text loaders also give finite positions.
  void CheckMesh(bool finitePositions) {
    if (!vertices || !faces || vertexCount == 0 || faceCount == 0) std::abort();
    for (uint32_t f = 0; f < faceCount; ++f) {
      const KMeshFace& face = faces[f];
      if (face.a >= vertexCount || face.b >= vertexCount || face.c >= vertexCount) std::abort();
    }
    for (uint32_t v = 0; v < vertexCount && finitePositions; ++v) {
      const KMeshVertex& vertex = vertices[v];
      if (!std::isfinite(vertex.x) || !std::isfinite(vertex.y) || !std::isfinite(vertex.z)) {
        std::abort();
      }
    }
    ComputeVertexNormals();
  }
};
