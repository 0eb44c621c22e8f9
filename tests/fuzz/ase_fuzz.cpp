// Fuzz target for the ASE loader: the input is an ASE text in memory.
#include <cstddef>
#include <cstdint>

#include "mesh_fuzz_object.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MeshFuzzObject object;
  if (object.LoadASEFromMemory("fuzz\\mesh.ase", reinterpret_cast<const char*>(data), size, 1.5f,
                               false)) {
    object.CheckMesh(true);
  }
  return 0;
}
