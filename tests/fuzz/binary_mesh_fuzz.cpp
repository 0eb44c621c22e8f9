// Fuzz target for the binary mesh loader: the input is a binary mesh in memory.
#include <cstddef>
#include <cstdint>

#include "mesh_fuzz_object.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MeshFuzzObject object;
  if (object.LoadBinaryFromMemory("fuzz\\mesh.bin", reinterpret_cast<const char*>(data), size,
                                  false)) {
    object.CheckMesh(false);
  }
  return 0;
}
